#include <GL/gl.h>
#include <gtest/gtest.h>

#include <set>

#include "support/SmxBytes.h"
#include "mesh/SmxModel.h"
#include "support/Feedback.h"
#include "support/TestWindow.h"

namespace {

// The view covers x and y from -2e8 to 2e8 mesh units on the 720 x 480 window.
constexpr double viewHalf = 2e8;

struct Expected {
  float x, y;
  int red, green, blue;
};

float windowX(double x) { return static_cast<float>((x / viewHalf + 1) * 360); }
float windowY(double y) { return static_cast<float>((y / viewHalf + 1) * 240); }

void expectVertex(const FeedbackVertex& v, const Expected& e) {
  EXPECT_NEAR(v.x, e.x, 1e-3);
  EXPECT_NEAR(v.y, e.y, 1e-3);
  EXPECT_NEAR(v.r, e.red / 255.0f, 0.5f / 255);
  EXPECT_NEAR(v.g, e.green / 255.0f, 0.5f / 255);
  EXPECT_NEAR(v.b, e.blue / 255.0f, 0.5f / 255);
  EXPECT_FLOAT_EQ(v.a, 1.0f);
}

struct Rgb {
  int red, green, blue;
};

struct Picture {
  static constexpr int width = 720, height = 480;
  std::vector<unsigned char> pixels = std::vector<unsigned char>(width * height * 3);

  // The colour at a mesh point.
  Rgb at(double x, double y) const {
    const int column = static_cast<int>(windowX(x)), row = static_cast<int>(windowY(y));
    const unsigned char* p = &pixels[(std::size_t(row) * width + column) * 3];
    return {p[0], p[1], p[2]};
  }
};

// A 16-bit framebuffer keeps 5 or 6 bits a channel.
void expectColour(const Rgb& seen, const Rgb& expected) {
  EXPECT_NEAR(seen.red, expected.red, 8);
  EXPECT_NEAR(seen.green, expected.green, 8);
  EXPECT_NEAR(seen.blue, expected.blue, 8);
}

// Each separate line of GL_LINES may come back as a reset token (the stipple restarts).
std::vector<FeedbackItem> linesOf(const std::vector<FeedbackItem>& items) {
  std::vector<FeedbackItem> lines;
  for (const auto& item : items)
    if (item.token == GL_LINE_TOKEN || item.token == GL_LINE_RESET_TOKEN) lines.push_back(item);
  return lines;
}

class SmxModelTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(window.isOpen()); }

  // What draw() emits, seen from +z, or from -y with +z up when sideways.
  std::vector<FeedbackItem> drawn(bool sideways = false) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-viewHalf, viewHalf, -viewHalf, viewHalf, -1e9, 1e9);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (sideways) glRotatef(-90, 1, 0, 0);
    return captureFeedback([&] { model.draw(); });
  }
  std::vector<FeedbackItem> drawnTriangles() { return itemsOfKind(drawn(), GL_POLYGON_TOKEN); }

  // The model drawn from above with blending on, as the viewer draws it, read back.
  // NOTE: Mesa 22 feeds back only the first primitive of a compiled list that mixes
  // quads and triangles, so the mesh itself is checked in pixels.
  Picture picture() {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DITHER);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-viewHalf, viewHalf, -viewHalf, viewHalf, -1e9, 1e9);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    model.draw();
    glFinish();
    glDisable(GL_BLEND);
    Picture seen;
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, Picture::width, Picture::height, GL_RGB, GL_UNSIGNED_BYTE, seen.pixels.data());
    return seen;
  }

  static std::set<GLuint> existingLists() {
    std::set<GLuint> lists;
    for (GLuint name = 1; name < 4096; ++name)
      if (glIsList(name)) lists.insert(name);
    return lists;
  }

  TestWindow window;
  SmxModel model;
};

// The ground quad in the header's colour. GL splits it into the triangles (1, 2, 4) and
// (2, 3, 4), so its corners first appear in the order 1, 2, 4, 3.
void expectGround(const std::vector<FeedbackItem>& triangles, int red, int green, int blue) {
  ASSERT_GE(triangles.size(), 2u);
  const Expected corners[4] = {{windowX(-1e8), windowY(-1e8), red, green, blue},
                               {windowX(1e8), windowY(-1e8), red, green, blue},
                               {windowX(1e8), windowY(1.2e8), red, green, blue},
                               {windowX(-1e8), windowY(1.2e8), red, green, blue}};
  std::vector<FeedbackVertex> order;
  for (int t = 0; t < 2; ++t) {
    for (const auto& v : triangles[t].vertices) {
      bool seen = false;
      for (const auto& o : order) seen |= o.x == v.x && o.y == v.y;
      if (!seen) order.push_back(v);
    }
  }
  ASSERT_EQ(order.size(), 4u);
  const int firstSeen[4] = {0, 1, 3, 2};
  for (int k = 0; k < 4; ++k) expectVertex(order[k], corners[firstSeen[k]]);
}

// A triangle about 36 pixels wide around (x, y), facing up, all in one file colour.
struct Patch {
  double x, y;
  unsigned char blue, green, red;
};

constexpr Patch west{-5e7, 0, 40, 200, 90};
constexpr Patch east{5e7, 0, 190, 60, 20};
constexpr double groundSpotX = 0, groundSpotY = -6e7;

SmxBytes& addPatch(SmxBytes& file, const Patch& p, unsigned char spare = 0xFF) {
  return file.point(static_cast<std::int32_t>(p.x - 1e7), static_cast<std::int32_t>(p.y - 1e7), 0, p.blue, p.green, p.red, spare)
      .point(static_cast<std::int32_t>(p.x + 1e7), static_cast<std::int32_t>(p.y - 1e7), 0, p.blue, p.green, p.red, spare)
      .point(static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y + 1e7), 0, p.blue, p.green, p.red, spare);
}

TEST_F(SmxModelTest, ListHoldsTheGroundThenEveryTriangleInFileOrderWithItsCornerColours) {
  // The header names its colour red, green, blue; points name theirs blue, green, red, and
  // their fourth byte (0 here) does not make them transparent.
  const Patch reversed{-5e7, 0, 0x10, 0x20, 0x30};
  const Patch under{5e7, 0, 0, 0, 250}, over{5e7, 0, 250, 0, 0}, second{0, 5e7, 0, 220, 0};
  SmxBytes file;
  file.header(3, 0x10, 0x20, 0x30).object(3, 0);
  addPatch(file, {0, -6e7, 255, 255, 255}).object(9, 3);
  addPatch(addPatch(addPatch(file, reversed, 0x00), under), over).triangle(0, 1, 2).triangle(3, 4, 5).triangle(6, 7, 8);
  // Indices start again at 0 in each object.
  file.object(3, 1);
  addPatch(file, second).triangle(0, 1, 2);
  ASSERT_TRUE(model.load(file.write()));

  expectGround(drawnTriangles(), 0x10, 0x20, 0x30);
  const Picture seen = picture();
  expectColour(seen.at(reversed.x, reversed.y), {0x30, 0x20, 0x10});
  expectColour(seen.at(over.x, over.y), {0, 0, 250});
  expectColour(seen.at(second.x, second.y), {0, 220, 0});
  // The object without triangles draws nothing over the ground.
  expectColour(seen.at(groundSpotX, groundSpotY), {0x10, 0x20, 0x30});
}

TEST_F(SmxModelTest, FilesWithoutObjectsOrWithTrailingBytesLoadTheGroundAndTheirTriangles) {
  struct Case {
    const char* name;
    std::int32_t objects;
    bool westShown;
  };
  const Case cases[] = {{"no objects", 0, false}, {"negative object count", -7, false}, {"trailing bytes", 1, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SmxBytes file;
    file.header(c.objects, 1, 2, 3).object(3, 1);
    addPatch(file, west).triangle(0, 1, 2);
    // Read as an object these bytes would draw the east patch.
    file.object(3, 1);
    addPatch(file, east).triangle(0, 1, 2);
    ASSERT_TRUE(model.load(file.write(std::to_string(&c - cases))));
    expectGround(drawnTriangles(), 1, 2, 3);
    const Picture seen = picture();
    expectColour(seen.at(west.x, west.y), c.westShown ? Rgb{west.red, west.green, west.blue} : Rgb{1, 2, 3});
    expectColour(seen.at(east.x, east.y), {1, 2, 3});
  }
}

TEST_F(SmxModelTest, EndsLoadedWithOneListWhereverTheFileIsCutOrWhateverItsCounts) {
  SmxBytes sound;
  sound.header(2, 9, 8, 7).object(6, 2);
  addPatch(addPatch(sound, west), east).triangle(0, 1, 2).triangle(3, 4, 5).object(2, 0).point(0, 0, 0).point(1, 1, 1);
  // The triangle records end at 192 and 200.
  auto wholeTriangles = [](std::size_t length) { return length >= 200 ? 2 : length >= 192 ? 1 : 0; };
  const Rgb ground{9, 8, 7}, westColour{west.red, west.green, west.blue}, eastColour{east.red, east.green, east.blue};

  const std::set<GLuint> before = existingLists();
  for (std::size_t length = 0; length <= sound.size(); ++length) {
    SCOPED_TRACE(length);
    ASSERT_TRUE(model.load(sound.cut(length).write()));
    EXPECT_TRUE(model.isLoaded());
    EXPECT_EQ(existingLists().size(), before.size() + 1);
    const Picture seen = picture();
    // Without a whole header there is no ground colour, so nothing is drawn.
    expectColour(seen.at(groundSpotX, groundSpotY), length < 64 ? Rgb{0, 0, 0} : ground);
    if (length < 64) continue;
    expectColour(seen.at(west.x, west.y), wholeTriangles(length) >= 1 ? westColour : ground);
    expectColour(seen.at(east.x, east.y), wholeTriangles(length) >= 2 ? eastColour : ground);
  }

  struct Case {
    const char* name;
    std::int32_t points, triangles;
    int westPoints;  // west patch points written; the east patch follows if there is room
    unsigned firstCorner;
    bool westShown, eastShown;
  };
  const Case cases[] = {{"negative point count", -4, 2, 0, 0, false, false},
                        {"point count beyond the file", 100, 2, 3, 0, false, false},
                        {"largest point count", 0x7FFFFFFF, 2, 3, 0, false, false},
                        {"index not below the point count", 6, 2, 3, 6, false, true},
                        {"triangle count beyond the file", 6, 1000, 3, 0, true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SmxBytes file;
    file.header(1, 9, 8, 7).object(c.points, c.triangles);
    if (c.westPoints) addPatch(addPatch(file, west), east);
    file.triangle(c.firstCorner, 1, 2).triangle(3, 4, 5);
    ASSERT_TRUE(model.load(file.write(std::to_string(&c - cases))));
    EXPECT_EQ(existingLists().size(), before.size() + 1);
    const Picture seen = picture();
    expectColour(seen.at(west.x, west.y), c.westShown ? westColour : ground);
    expectColour(seen.at(east.x, east.y), c.eastShown ? eastColour : ground);
  }
  model.unload();
  EXPECT_EQ(existingLists(), before);
}

TEST_F(SmxModelTest, OldListIsDeletedBeforeTheNextFileIsOpened) {
  SmxBytes file;
  file.header(0, 5, 5, 5);
  const std::string path = file.write();
  const std::set<GLuint> before = existingLists();

  ASSERT_TRUE(model.load(path));
  const std::set<GLuint> first = existingLists();
  ASSERT_EQ(first.size(), before.size() + 1);
  EXPECT_EQ(model.path(), path);

  ASSERT_TRUE(model.load(path));
  EXPECT_EQ(existingLists().size(), before.size() + 1);

  const std::string missing = missingFilePath();
  EXPECT_FALSE(model.load(missing));
  EXPECT_FALSE(model.isLoaded());
  EXPECT_EQ(existingLists(), before);
  EXPECT_EQ(model.path(), missing);
  EXPECT_TRUE(drawn().empty());

  // Unloading while empty changes nothing, not even the failed path.
  model.unload();
  EXPECT_EQ(model.path(), missing);
  ASSERT_TRUE(model.load(path));
  model.unload();
  EXPECT_EQ(model.path(), "");
  EXPECT_EQ(existingLists(), before);
}

TEST_F(SmxModelTest, AxesShowOnlyWhileLoadedAndLeaveTheLineWidthSet) {
  SmxBytes file;
  file.header(0, 5, 5, 5);
  const std::string path = file.write();
  model.setShowAxes(true);
  EXPECT_TRUE(drawn(true).empty());

  auto expectAxes = [&] {
    glLineWidth(1.0f);
    const auto lines = linesOf(drawn(true));
    // Seen from -y: x runs right, z runs up, the y axis is a point at the origin.
    const Expected ends[3][2] = {
        {{windowX(0), windowY(0), 255, 0, 0}, {windowX(1e8), windowY(0), 255, 0, 0}},
        {{windowX(0), windowY(0), 0, 255, 0}, {windowX(0), windowY(0), 0, 255, 0}},
        {{windowX(0), windowY(0), 0, 0, 255}, {windowX(0), windowY(5e7), 0, 0, 255}},
    };
    ASSERT_EQ(lines.size(), 3u);
    for (int axis = 0; axis < 3; ++axis)
      for (int end = 0; end < 2; ++end) expectVertex(lines[axis].vertices[end], ends[axis][end]);
    GLfloat width = 0;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_EQ(width, 2.0f);
  };

  ASSERT_TRUE(model.load(path));
  expectAxes();
  model.unload();
  EXPECT_TRUE(drawn(true).empty());
  ASSERT_TRUE(model.load(path));
  expectAxes();
  model.setShowAxes(false);
  EXPECT_TRUE(linesOf(drawn(true)).empty());
}

}  // namespace

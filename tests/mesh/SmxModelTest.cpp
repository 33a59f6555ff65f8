#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>

#include "mesh/SmxModel.h"
#include "support/Feedback.h"
#include "support/SmxBytes.h"
#include "support/TestWindow.h"

namespace {

// The view covers x and y from -2e8 to 2e8 mesh units on the 720 x 480 window.
constexpr double viewHalf = 2e8;
constexpr int width = 720, height = 480;
float windowX(double x) { return static_cast<float>((x / viewHalf + 1) * width / 2); }
float windowY(double y) { return static_cast<float>((y / viewHalf + 1) * height / 2); }

using Rgb = std::array<int, 3>;
const Rgb black{0, 0, 0};

// A triangle about 36 pixels wide around (x, y), facing up, all in one colour.
struct Spot {
  double x, y;
};
struct Patch : Spot {
  Rgb colour;
};
const Patch west{{-5e7, 0}, {90, 200, 40}}, east{{5e7, 0}, {20, 60, 190}};
constexpr double groundX = 0, groundY = -6e7;

// Points name their colour blue, green, red; the fourth byte is never read as alpha.
SmxBytes& addPatch(SmxBytes& file, const Patch& p, unsigned char spare = 0xFF) {
  const auto [r, g, b] = p.colour;
  const auto at = [](double v) { return static_cast<std::int32_t>(v); };
  return file.point(at(p.x - 1e7), at(p.y - 1e7), 0, b, g, r, spare)
      .point(at(p.x + 1e7), at(p.y - 1e7), 0, b, g, r, spare)
      .point(at(p.x), at(p.y + 1e7), 0, b, g, r, spare);
}

class SmxModelTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(window.isOpen()); }

  void lookFromAbove(bool sideways) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-viewHalf, viewHalf, -viewHalf, viewHalf, -1e9, 1e9);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Sideways: seen from -y with +z up.
    if (sideways) glRotatef(-90, 1, 0, 0);
  }

  // The model drawn from above as the viewer draws it (blended, back faces culled), read
  // back. Mesa 22 feeds back only the first primitive of a compiled list that mixes quads
  // and triangles, so the mesh is checked in pixels.
  void expectPixels(const std::vector<std::pair<Spot, Rgb>>& expected) {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_DITHER);
    glEnable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    lookFromAbove(false);
    model.draw();
    glFinish();
    for (const auto& [spot, colour] : expected) {
      unsigned char seen[3] = {};
      glReadPixels(int(windowX(spot.x)), int(windowY(spot.y)), 1, 1, GL_RGB, GL_UNSIGNED_BYTE, seen);
      // A 16-bit framebuffer keeps 5 or 6 bits a channel.
      for (int k = 0; k < 3; ++k) EXPECT_NEAR(seen[k], colour[k], 8) << spot.x << ", " << spot.y;
    }
  }

  // Each line of GL_LINES may come back as a reset token (the stipple restarts).
  std::vector<FeedbackItem> drawnLines() {
    lookFromAbove(true);
    std::vector<FeedbackItem> lines;
    for (const auto& item : captureFeedback([&] { model.draw(); }))
      if (item.token == GL_LINE_TOKEN || item.token == GL_LINE_RESET_TOKEN) lines.push_back(item);
    return lines;
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

TEST_F(SmxModelTest, DrawsTheGroundThenEveryTriangleInFileOrder) {
  const Rgb ground{0x10, 0x20, 0x30};
  const Patch spare0{{-5e7, 0}, {0x30, 0x20, 0x10}}, under{{5e7, 0}, {250, 0, 0}}, over{{5e7, 0}, {0, 0, 250}};
  const Patch second{{0, 5e7}, {0, 220, 0}}, trailing{{-5e7, 5e7}, {200, 200, 200}};
  SmxBytes file;
  file.header(3, ground[0], ground[1], ground[2]).object(3, 0);
  addPatch(file, {{groundX, groundY}, {255, 255, 255}}).object(9, 3);
  addPatch(addPatch(addPatch(file, spare0, 0x00), under), over).triangle(0, 1, 2).triangle(3, 4, 5).triangle(6, 7, 8);
  // Indices start again at 0 in each object; bytes after the last object are not read.
  file.object(3, 1);
  addPatch(file, second).triangle(0, 1, 2).object(3, 1);
  addPatch(file, trailing).triangle(0, 1, 2);
  ASSERT_TRUE(model.load(file.write()));
  // The ground spans x -1e8..1e8 and y -1e8..1.2e8 and faces up.
  expectPixels({{{-0.98e8, -0.98e8}, ground}, {{0.98e8, 1.18e8}, ground}, {{groundX, groundY}, ground}, {trailing, ground},
                {{-1.02e8, 0}, black}, {{1.02e8, 0}, black}, {{0, -1.02e8}, black}, {{0, 1.22e8}, black},
                {spare0, spare0.colour}, {over, over.colour}, {second, second.colour}});
}

TEST_F(SmxModelTest, EndsLoadedWithOneListWhereverTheFileIsCutOrWhateverItsCounts) {
  const Rgb ground{9, 8, 7};
  SmxBytes sound;
  sound.header(2, 9, 8, 7).object(6, 2);
  addPatch(addPatch(sound, west), east).triangle(0, 1, 2).triangle(3, 4, 5).object(2, 0).point(0, 0, 0).point(1, 1, 1);
  const std::set<GLuint> before = existingLists();
  for (std::size_t length = 0; length <= sound.size(); ++length) {
    SCOPED_TRACE(length);
    ASSERT_TRUE(model.load(sound.cut(length).write()));
    EXPECT_TRUE(model.isLoaded());
    EXPECT_EQ(existingLists().size(), before.size() + 1);
    // Without a whole header there is no ground colour, so nothing is drawn. The triangle records end at 192 and 200.
    if (length < 64) {
      expectPixels({{{groundX, groundY}, black}});
    } else {
      expectPixels({{{groundX, groundY}, ground}, {west, length >= 192 ? west.colour : ground},
                    {east, length >= 200 ? east.colour : ground}});
    }
  }

  const struct {
    std::int32_t points, triangles;
    unsigned firstCorner;
    bool westShown, eastShown;
  } cases[] = {{-4, 2, 0, false, false}, {100, 2, 0, false, false}, {0x7FFFFFFF, 2, 0, false, false},
               {6, 2, 6, false, true},  {6, 1000, 0, true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    SmxBytes file;
    file.header(1, 9, 8, 7).object(c.points, c.triangles);
    addPatch(addPatch(file, west), east).triangle(c.firstCorner, 1, 2).triangle(3, 4, 5);
    ASSERT_TRUE(model.load(file.write(std::to_string(&c - cases))));
    EXPECT_EQ(existingLists().size(), before.size() + 1);
    expectPixels({{west, c.westShown ? west.colour : ground}, {east, c.eastShown ? east.colour : ground}});
  }
  model.unload();
  EXPECT_EQ(existingLists(), before);
}

TEST_F(SmxModelTest, FileThatCannotBeOpenedLeavesNothingLoaded) {
  const std::string path = SmxBytes().header(0, 5, 5, 5).write();
  const std::set<GLuint> before = existingLists();
  ASSERT_TRUE(model.load(path));
  ASSERT_TRUE(model.load(path));
  EXPECT_EQ(existingLists().size(), before.size() + 1);

  EXPECT_FALSE(model.load(missingFilePath()));
  EXPECT_FALSE(model.isLoaded());
  EXPECT_EQ(model.path(), missingFilePath());
  EXPECT_EQ(existingLists(), before);
}

TEST_F(SmxModelTest, AxesShowOnlyWhileLoaded) {
  const std::string path = SmxBytes().header(0, 5, 5, 5).write();
  model.setShowAxes(true);
  EXPECT_TRUE(drawnLines().empty());
  ASSERT_TRUE(model.load(path));
  glLineWidth(1.0f);
  // Seen from -y: x runs right, z runs up half as far, the y axis is a point at the origin.
  // Each line: its two ends in window pixels, then the colour it starts in.
  std::vector<std::array<long, 7>> lines;
  for (const FeedbackItem& line : drawnLines()) {
    const FeedbackVertex &from = line.vertices[0], &to = line.vertices[1];
    lines.push_back({std::lround(from.x), std::lround(from.y), std::lround(to.x), std::lround(to.y),
                     std::lround(from.r * 255), std::lround(from.g * 255), std::lround(from.b * 255)});
  }
  EXPECT_EQ(lines, (std::vector<std::array<long, 7>>{
                       {360, 240, 540, 240, 255, 0, 0}, {360, 240, 360, 240, 0, 255, 0}, {360, 240, 360, 300, 0, 0, 255}}));
  // The width is left for the overlay to set.
  GLfloat lineWidth = 0;
  glGetFloatv(GL_LINE_WIDTH, &lineWidth);
  EXPECT_EQ(lineWidth, 2.0f);

  model.unload();
  EXPECT_TRUE(drawnLines().empty());
  ASSERT_TRUE(model.load(path));
  model.setShowAxes(false);
  EXPECT_TRUE(drawnLines().empty());
}

}  // namespace

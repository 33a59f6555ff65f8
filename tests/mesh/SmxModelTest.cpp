// The model's display lists and axes in a real window, read back in pixels and feedback.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <utility>

#include "mesh/SmxModel.h"
#include "support/Feedback.h"
#include "support/Footprint.h"
#include "support/SmxBytes.h"
#include "support/RunningApp.h"
#include "view/FixedGlState.h"

namespace {

using Rgb = std::array<int, 3>;
struct Patch { double x, y; Rgb colour; };  // x, y: a spot of the view, which covers -2e8 .. 2e8 in both

// A triangle about 36 pixels wide around the patch's spot, facing up; the colour goes blue, green,
// red, and the fourth byte is never read as alpha.
SmxBytes& addPatch(SmxBytes& file, const Patch& p, unsigned char spare = 0xFF) {
  const auto [r, g, b] = p.colour;
  for (const auto& [dx, dy] : {std::pair{-1e7, -1e7}, {1e7, -1e7}, {0.0, 1e7}})
    file.point(std::int32_t(p.x + dx), std::int32_t(p.y + dy), 0, b, g, r, spare);
  return file;
}

void lookFromAbove(bool sideways) {  // sideways: from -y, with +z up
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-2e8, 2e8, -2e8, 2e8, -1e9, 1e9);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  if (sideways) glRotatef(-90, 1, 0, 0);
}

// Drawn as the viewer draws, depth test and all, so that of patches at one height the last drawn shows, and
// read back in pixels: Mesa feeds back only the first primitive of a compiled list that mixes quads and triangles.
void expectPixels(const SmxModel& model, const std::vector<Patch>& expected) {
  setFixedGlState(0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  lookFromAbove(false);
  model.draw();
  for (const auto& [x, y, colour] : expected) {
    unsigned char seen[3] = {};
    glReadPixels(int((x / 2e8 + 1) * 360), int((y / 2e8 + 1) * 240), 1, 1, GL_RGB, GL_UNSIGNED_BYTE, seen);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(seen[k], colour[k], 8) << x << ", " << y;  // 16-bit colour
  }
}

// Seen from -y: x runs right, z up half as far, the y axis is a point at the origin. Each line:
// its two ends in window pixels, then the colour it starts in.
std::vector<std::array<long, 7>> axesDrawn(const SmxModel& model) {
  lookFromAbove(true);
  std::vector<std::array<long, 7>> lines;
  for (const auto& [token, v] : captureFeedback([&] { model.draw(); }))
    if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN)
      lines.push_back({std::lround(v[0].x), std::lround(v[0].y), std::lround(v[1].x), std::lround(v[1].y),
                       std::lround(v[0].r * 255), std::lround(v[0].g * 255), std::lround(v[0].b * 255)});
  return lines;
}

TEST(SmxModel, DrawsTheGroundEveryDrawableTriangleInFileOrderAndTheAxesFromOneCall) {
  RunningApp running;
  ASSERT_TRUE(running.created);
  const Rgb ground{0x10, 0x20, 0x30}, black{0, 0, 0};
  const Patch spare0{-5e7, 0, {0x30, 0x20, 0x10}}, under{5e7, 0, {250, 0, 0}}, over{5e7, 0, {0, 0, 250}};
  const Patch second{0, 5e7, {0, 220, 0}}, skipped{0, -5e7, {220, 220, 0}}, trailing{-5e7, 5e7, {200, 200, 200}};
  SmxBytes file;
  file.header(3, ground[0], ground[1], ground[2]).object(3, 0);
  addPatch(file, {0, -6e7, {255, 255, 255}}).object(9, 3);
  addPatch(addPatch(addPatch(file, spare0, 0x00), under), over).triangle(0, 1, 2).triangle(3, 4, 5).triangle(6, 7, 8);
  // Indices start again at 0 in each object; bytes after the last object are not read.
  addPatch(addPatch(file.object(6, 2), second), skipped).triangle(0, 1, 2).triangle(3, 4, 6);
  addPatch(file.object(3, 1), trailing).triangle(0, 1, 2);
  const std::string path = file.writeTo("model.smx");
  // Held as display lists, as for a hardware renderer, and as arrays.
  for (const bool arrays : {false, true}) {
    SCOPED_TRACE(arrays ? "arrays" : "lists");
    const std::set<GLuint> before = liveLists();
    SmxModel model;
    model.holdAsArrays(arrays);
    model.setShowAxes(true);
    EXPECT_TRUE(axesDrawn(model).empty());
    ASSERT_TRUE(model.load(path) && model.load(path));
    std::vector<std::array<std::int32_t, 6>> boxes;  // a piece per object: the skipped triangle's corners are in none
    for (const auto& p : model.trackPieces()) boxes.push_back({p.low[0], p.low[1], p.low[2], p.high[0], p.high[1], p.high[2]});
    EXPECT_EQ(boxes, (decltype(boxes){{-60000000, -10000000, 0, 60000000, 10000000, 0}, {-10000000, 40000000, 0, 10000000, 60000000, 0}}));
    EXPECT_EQ(liveLists().size(), before.size() + 1 + (arrays ? 0 : boxes.size())) << "the ground's list, and one a piece held as lists";
    EXPECT_EQ(axesDrawn(model), (std::vector<std::array<long, 7>>{
                                    {360, 240, 540, 240, 255, 0, 0}, {360, 240, 360, 240, 0, 255, 0}, {360, 240, 360, 300, 0, 0, 255}}));
    GLfloat lineWidth = 0;  // the axes' own, restored when they are done
    glGetFloatv(GL_LINE_WIDTH, &lineWidth);
    EXPECT_EQ(lineWidth, 1.0f);
    model.setShowAxes(false);  // else its lines would cover the patches on y = 0
    // The ground spans x -1e8..1e8 and y -1e8..1.2e8 and faces up.
    expectPixels(model, {{-0.98e8, -0.98e8, ground}, {0.98e8, 1.18e8, ground}, {0, -6e7, ground}, {trailing.x, trailing.y, ground},
                         {-1.02e8, 0, black}, {1.02e8, 0, black}, {0, -1.02e8, black}, {0, 1.22e8, black},
                         spare0, over, second, {skipped.x, skipped.y, ground}});
    // A file cut inside its header has no ground colour: it loads, and draws nothing.
    ASSERT_TRUE(model.load(file.cut(63).writeTo("cut.smx")));
    expectPixels(model, {{0, 0, black}});

    EXPECT_TRUE(!model.load(path + ".missing") && !model.isLoaded() && model.path() == path + ".missing");
    EXPECT_EQ(liveLists(), before);
    ASSERT_TRUE(model.load(path));
    model.unload();
    EXPECT_TRUE(!model.isLoaded() && model.path().empty());
    EXPECT_EQ(liveLists(), before);
  }
}

// Undrawable records cost no triangle but are read all the same: progress is told each time another piece's worth
// of records is read (128 KiB, counted after the 24 bytes of each object header walked first), and no more often.
TEST(SmxModel, ProgressIsToldEachStepOfRecordsReadDrawableOrNot) {
  RunningApp running;
  ASSERT_TRUE(running.created);
  SmxBytes file = addPatch(SmxBytes().header(1).object(3, 40001), {0, 0, {255, 0, 0}}).triangle(0, 1, 2);
  for (int i = 0; i < 40000; ++i) file.triangle(0, 1, 3);
  std::vector<double> shares;
  SmxModel model;
  ASSERT_TRUE(model.load(file.writeTo("undrawable.smx"), [&](double share) { return shares.push_back(share), true; }));
  const double walked = 24, beforeRecords = 64 + 24 + 3 * 16, total = walked + double(file.size());
  EXPECT_EQ(shares, (std::vector<double>{(walked + beforeRecords + 16384 * 8) / total, (walked + beforeRecords + 32768 * 8) / total}));
  EXPECT_EQ(model.trackPieces().size(), 1u);
  // Abandoned when first told, after its first piece, the load keeps none of its lists.
  model.unload();
  const std::set<GLuint> before = liveLists();
  EXPECT_TRUE(!model.load("undrawable.smx", [](double) { return false; }) && model.lastFailure() == SmxModel::Failure::Abandoned);
  EXPECT_EQ(liveLists(), before);
}

}  // namespace

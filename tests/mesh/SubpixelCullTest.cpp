// Triangles placed by hand at a pixel centre: which the small-triangle cull may leave out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "render/SubpixelCull.h"

namespace {

// clip = (x, y, 0, z) in a 100 x 100 viewport: at z = 10000 a mesh unit is 1/200 pixel, and window
// x = 50 + x / 200, so the pixel centre (50.5, 50.5) is at x = y = 100.
SubpixelCull lookingAlongZ() {
  const double projection[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0};
  const double modelView[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  return SubpixelCull(ClipMatrix(projection, modelView), {0, 0, 100, 100});
}

}  // namespace

TEST(SubpixelCull, LeavesOutOnlyTrianglesProvablyClearOfEveryPixelCentre) {
  const struct Case { const char* name; std::int32_t corners[3][3]; bool kept; } cases[] = {
      {"covers the centre by 0.005 px", {{99, 99, 10000}, {159, 99, 10000}, {99, 159, 10000}}, true},
      {"misses the centre by 0.005 px, less than the renderer may move it", {{101, 99, 10000}, {161, 99, 10000}, {101, 159, 10000}}, true},
      {"its box holds the centre, its long side misses it by 0.07 px", {{40, 180, 10000}, {180, 40, 10000}, {180, 180, 10000}}, false},
      {"its box holds no centre", {{110, 110, 10000}, {190, 110, 10000}, {110, 190, 10000}}, false},
      {"a sliver whose box holds 4 x 3 centres passes between them", {{90, -10, 10000}, {720, 620, 10000}, {720, 610, 10000}}, false},
      // Projected as if in front of the eye, the far corner would land beside the other two.
      {"crosses the near plane", {{150, 150, 10000}, {160, 150, 10000}, {-150, -152, -10000}}, true},
  };
  const SubpixelCull view = lookingAlongZ();
  for (const Case& c : cases) {
    PieceCorners corners;
    std::int32_t low[3], high[3];
    for (int k = 0; k < 3; ++k) {
      low[k] = std::min({c.corners[0][k], c.corners[1][k], c.corners[2][k]});
      high[k] = std::max({c.corners[0][k], c.corners[1][k], c.corners[2][k]});
    }
    for (std::uint16_t i = 0; i < 3; ++i) {
      corners.positions.insert(corners.positions.end(), {float(c.corners[i][0]), float(c.corners[i][1]), float(c.corners[i][2])});
      corners.colours.insert(corners.colours.end(), {10, 20, 30});
      corners.indices.push_back(i);
    }
    CullScratch scratch;
    FramePiece out;
    view.cull(corners, low, high, scratch, out);
    EXPECT_EQ(out.indices.size(), c.kept ? 3u : 0u) << c.name;
  }
}

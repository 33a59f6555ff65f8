#include "mesh/SubpixelCull.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Where a triangle's corners may lie when the renderer places them, against where the cull puts them,
// in pixels along x and along y. The renderer (llvmpipe, which also draws for Wine) transforms in
// 32-bit floats and snaps each corner to 1/256 pixel:
// - the snap moves a corner at most 1/256 px (0.0039), whether it rounds or truncates;
// - the transform is left at most transformError (1/512 px) by keeping only points far enough from the
//   eye (see placePoints);
// - the divide by w, the viewport's scale and offset and the half-pixel shift before the snap are
//   four float roundings of a value at most 1.25 x 10000 px (largestViewport, guard): at most
//   4 x 2^-24 x 12500 = 0.003 px;
// - the cull's own doubles add less than 1e-9 px.
// That is 0.0089 px at most; the margin leaves room. A triangle whose corners each move at most
// margin along x and along y stays within margin x sqrt(2) of where it was, so a pixel centre
// further away than that from the cull's triangle is lit by no triangle the renderer may draw.
constexpr double margin = 0.01;
constexpr double transformError = 1.0 / 512;
constexpr int largestViewport = 10000;
// Corners further off screen than this many half-widths are clipped by the renderer: kept.
constexpr double guard = 1.5;
// A float sum of products of floats is off by at most a few 2^-24 of its terms' magnitudes: the
// renderer multiplies projection by model-view in floats, then transforms each corner.
constexpr double floatRounding = 16.0 / (1 << 24);
// Below this doubled area a triangle's orientation is not known for sure from doubles.
constexpr double smallestDoubledArea = 1e-6;
// Pieces whose triangles average less than this on screen are culled; larger ones keep their list.
constexpr double smallTrianglePixels = 2;

// The largest whole number not above v, for placed points (no further than guard off screen) without
// a library call: a whole number shifts v to be positive, where conversion truncates down.
constexpr double positiveShift = 4 * largestViewport;
long floorOf(double v) { return long(v + positiveShift) - long(positiveShift); }

// False only when the triangle abc (window places, each no further than guard off screen) lies
// further than margin x sqrt(2) from every pixel centre. Triangles whose box reaches more than
// 2 x 2 centres are kept untried: they rarely miss them all.
bool mayLightAPixel(const double* a, const double* b, const double* c) {
  // The pixel centres (i + 0.5, j + 0.5) within margin of the triangle's box.
  const long firstX = -floorOf(0.5 + margin - std::min(a[0], std::min(b[0], c[0])));
  const long lastX = floorOf(std::max(a[0], std::max(b[0], c[0])) + margin - 0.5);
  const long firstY = -floorOf(0.5 + margin - std::min(a[1], std::min(b[1], c[1])));
  const long lastY = floorOf(std::max(a[1], std::max(b[1], c[1])) + margin - 0.5);
  const long columns = lastX - firstX + 1, rows = lastY - firstY + 1;
  if (columns <= 0 || rows <= 0) return false;
  if (columns > 2 || rows > 2) return true;
  const double doubledArea = (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]);
  if (!(std::fabs(doubledArea) >= smallestDoubledArea)) return true;
  // Bit column + 2 x row for each centre in reach that no side has ruled out yet.
  unsigned open = 1u | unsigned(columns > 1) << 1 | unsigned(rows > 1) << 2 | unsigned(columns > 1 && rows > 1) << 3;
  const double x = double(firstX) + 0.5, y = double(firstY) + 0.5;
  const double* corner[4] = {a, b, c, a};
  for (int edge = 0; edge < 3; ++edge) {
    const double* u = corner[edge];
    const double* v = corner[edge + 1];
    const double along[2] = {v[0] - u[0], v[1] - u[1]};
    const double limit = 2 * margin * margin * (along[0] * along[0] + along[1] * along[1]);
    // Twice the area of u, v and a centre: on the triangle's side of the edge when it has its sign.
    const double first = along[0] * (y - u[1]) - along[1] * (x - u[0]);
    const double nextColumn = -along[1], nextRow = along[0];
    const double sides[4] = {first, first + nextColumn, first + nextRow, first + nextColumn + nextRow};
    for (unsigned k = 0; k < 4; ++k)
      if (sides[k] * doubledArea < 0 && sides[k] * sides[k] > limit) open &= ~(1u << k);
  }
  return open != 0;
}

}  // namespace

SubpixelCull SubpixelCull::current() {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  return SubpixelCull(ClipMatrix::current(), {viewport[0], viewport[1], viewport[2], viewport[3]});
}

SubpixelCull::SubpixelCull(const ClipMatrix& matrix, const int (&viewport)[4])
    : matrix(matrix),
      halfWidth(viewport[2] / 2.0),
      halfHeight(viewport[3] / 2.0),
      originX(viewport[0] + halfWidth),
      originY(viewport[1] + halfHeight),
      // The rounding bound above holds for viewports at the window's origin up to this size.
      usable(viewport[0] == 0 && viewport[1] == 0 && viewport[2] > 0 && viewport[3] > 0 &&
             viewport[2] <= largestViewport && viewport[3] <= largestViewport) {}

bool SubpixelCull::provenFor(const char* renderer) { return renderer && std::strstr(renderer, "llvmpipe"); }

bool SubpixelCull::suits(const std::int32_t low[3], const std::int32_t high[3], float meanArea) const {
  if (!usable) return false;
  const auto& m = matrix.value;
  // w is linear in the point, so its least over the box is at the corner on the low side of each term.
  double nearest = m[3][3];
  for (int k = 0; k < 3; ++k) nearest += m[3][k] * (m[3][k] > 0 ? low[k] : high[k]);
  if (!(nearest > 0)) return false;
  // How many pixels a mesh unit spans at that distance, at most, along x or y.
  const double pixelsPerUnit = std::max(std::hypot(m[0][0], m[0][1], m[0][2]) * halfWidth,
                                        std::hypot(m[1][0], m[1][1], m[1][2]) * halfHeight) / nearest;
  return meanArea * pixelsPerUnit * pixelsPerUnit < smallTrianglePixels;
}

// Each point's window place, and whether it is known to within transformError: a point near or behind
// the eye, beyond the near or far plane or far off screen is not placed, and its triangles are kept.
void SubpixelCull::placePoints(const PieceCorners& corners, const std::int32_t low[3], const std::int32_t high[3],
                               CulledPiece& out) const {
  const auto& m = matrix.value;
  // How far the renderer's clip coordinates may be from these, for any point of the box.
  double error[4];
  for (int row = 0; row < 4; ++row) {
    error[row] = matrix.magnitude[row][3];
    for (int k = 0; k < 3; ++k)
      error[row] += matrix.magnitude[row][k] * std::max(std::fabs(double(low[k])), std::fabs(double(high[k])));
    error[row] *= floatRounding;
  }
  // Off by ex in x and ew in w, x / w moves at most (ex + |x / w| ew) / w: far enough away, that is
  // under transformError in pixels (with room for w itself being off).
  const double nearest = std::max((error[0] + guard * error[3]) * halfWidth, (error[1] + guard * error[3]) * halfHeight) *
                         1.01 / transformError;
  const double depthRoom = 2 * (error[2] + error[3]);
  const std::size_t points = corners.positions.size() / 3;
  out.window.resize(points * 2);
  out.placed.resize(points);
  const float* p = corners.positions.data();
  for (std::size_t i = 0; i < points; ++i, p += 3) {
    const double x = p[0], y = p[1], z = p[2];
    const double cx = m[0][0] * x + m[0][1] * y + m[0][2] * z + m[0][3];
    const double cy = m[1][0] * x + m[1][1] * y + m[1][2] * z + m[1][3];
    const double cz = m[2][0] * x + m[2][1] * y + m[2][2] * z + m[2][3];
    const double cw = m[3][0] * x + m[3][1] * y + m[3][2] * z + m[3][3];
    const double nx = cx / cw, ny = cy / cw;
    out.placed[i] = cw > 0 && cw >= nearest && cz > depthRoom - cw && cz < cw - depthRoom && std::fabs(nx) <= guard &&
                    std::fabs(ny) <= guard;
    out.window[2 * i] = nx * halfWidth + originX;
    out.window[2 * i + 1] = ny * halfHeight + originY;
  }
}

void SubpixelCull::cull(const PieceCorners& corners, const std::int32_t low[3], const std::int32_t high[3],
                        CulledPiece& out) const {
  placePoints(corners, low, high, out);
  constexpr std::uint16_t notKept = 0xFFFF;  // a piece has fewer points than this
  out.keptIndexOf.assign(out.placed.size(), notKept);
  // Sized for the worst case and cut to what was kept: no growth checks in the loop.
  out.positions.resize(corners.positions.size());
  out.colours.resize(corners.colours.size());
  out.indices.resize(corners.indices.size());
  float* position = out.positions.data();
  float* colour = out.colours.data();
  std::uint16_t* kept = out.indices.data();
  std::uint16_t points = 0;
  const std::uint16_t* index = corners.indices.data();
  const std::uint16_t* const end = index + corners.indices.size();
  for (; index != end; index += 3) {
    const bool placed = out.placed[index[0]] && out.placed[index[1]] && out.placed[index[2]];
    if (placed && !mayLightAPixel(&out.window[2 * index[0]], &out.window[2 * index[1]], &out.window[2 * index[2]]))
      continue;
    for (int k = 0; k < 3; ++k) {
      std::uint16_t& keptIndex = out.keptIndexOf[index[k]];
      if (keptIndex == notKept) {
        keptIndex = points++;
        for (int axis = 0; axis < 3; ++axis) *position++ = corners.positions[index[k] * 3u + axis];
        for (int channel = 0; channel < 4; ++channel) *colour++ = corners.colours[index[k] * 4u + channel] / 255.0f;
      }
      *kept++ = keptIndex;
    }
  }
  out.positions.resize(std::size_t(position - out.positions.data()));
  out.colours.resize(std::size_t(colour - out.colours.data()));
  out.indices.resize(std::size_t(kept - out.indices.data()));
}

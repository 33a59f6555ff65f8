#include "render/SubpixelCull.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/ColourFloats.h"

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
std::int16_t floorOf(double v) { return std::int16_t(int(v + positiveShift) - int(positiveShift)); }

// The pixel centres a point not placed is taken to reach, along x and along y: more than any triangle
// is tried over, so that its triangles are kept.
constexpr std::int16_t unplacedReach = 1 << 14;
// Triangles whose box reaches more centres than this along x or y are kept untried: they rarely miss
// them all.
constexpr int widestBoxTried = 8;

// The pixel centres within margin of a triangle's box: those within margin of its corners' places.
struct CentreBox {
  int firstColumn, firstRow, columns, rows;

  CentreBox(const CentreReach& a, const CentreReach& b, const CentreReach& c)
      : firstColumn(std::min(a.firstColumn, std::min(b.firstColumn, c.firstColumn))),
        firstRow(std::min(a.firstRow, std::min(b.firstRow, c.firstRow))),
        columns(std::max(a.lastColumn, std::max(b.lastColumn, c.lastColumn)) - firstColumn + 1),
        rows(std::max(a.lastRow, std::max(b.lastRow, c.lastRow)) - firstRow + 1) {}
};

// Twice the signed area of the triangle o, u, v.
double doubledArea(double ox, double oy, const WindowPlace& u, const WindowPlace& v) {
  return (u.x - ox) * (v.y - oy) - (u.y - oy) * (v.x - ox);
}

// Whether a centre lies further than margin x sqrt(2) outside the edge u, v of a triangle whose doubled
// area is area, given side, twice the area of the centre, u and v.
bool outside(double side, double area, const WindowPlace& u, const WindowPlace& v) {
  if (side * area >= 0) return false;
  const double alongX = v.x - u.x, alongY = v.y - u.y;
  return side * side > 2 * margin * margin * (alongX * alongX + alongY * alongY);
}

// False only when the triangle of points i, j and k lies further than margin x sqrt(2) from every pixel
// centre. Most triangles are told by their box alone, which reads only the points' reaches.
bool mayLightAPixel(const CullScratch& piece, std::uint16_t i, std::uint16_t j, std::uint16_t k) {
  const CentreBox box(piece.reaches[i], piece.reaches[j], piece.reaches[k]);
  if (box.columns <= 0 || box.rows <= 0) return false;
  if (box.columns > widestBoxTried || box.rows > widestBoxTried) return true;
  const WindowPlace &a = piece.places[i], &b = piece.places[j], &c = piece.places[k];
  const double area = doubledArea(a.x, a.y, b, c);
  if (!(std::fabs(area) >= smallestDoubledArea)) return true;
  for (int row = 0; row < box.rows; ++row) {
    const double y = double(box.firstRow + row) + 0.5;
    for (int column = 0; column < box.columns; ++column) {
      const double x = double(box.firstColumn + column) + 0.5;
      if (!outside(doubledArea(x, y, a, b), area, a, b) && !outside(doubledArea(x, y, b, c), area, b, c) &&
          !outside(doubledArea(x, y, c, a), area, c, a))
        return true;
    }
  }
  return false;
}

// Scratch only grows: sizing it down and up again for each piece would clear the regrown part every time.
template <class Value>
void growTo(std::vector<Value>& scratch, std::size_t size) {
  if (scratch.size() < size) scratch.resize(size);
}

}  // namespace

SubpixelCull SubpixelCull::current(const ClipMatrix& matrix) {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  return SubpixelCull(matrix, {viewport[0], viewport[1], viewport[2], viewport[3]});
}

SubpixelCull::SubpixelCull(const ClipMatrix& matrix, const int (&viewport)[4])
    : matrix(matrix),
      halfWidth(viewport[2] / 2.0),
      halfHeight(viewport[3] / 2.0),
      originX(viewport[0] + halfWidth),
      originY(viewport[1] + halfHeight),
      // The rounding bound above holds for viewports at the window's origin up to this size.
      usable(viewport[0] == 0 && viewport[1] == 0 && viewport[2] > 0 && viewport[3] > 0 &&
             viewport[2] <= largestViewport && viewport[3] <= largestViewport) {
  const auto& m = matrix.value;
  for (int k = 0; k < 4; ++k) {
    toX[k] = m[0][k] * halfWidth + m[3][k] * originX;
    toY[k] = m[1][k] * halfHeight + m[3][k] * originY;
  }
  pixelsPerUnitAtW1 = std::max(std::hypot(m[0][0], m[0][1], m[0][2]) * halfWidth,
                               std::hypot(m[1][0], m[1][1], m[1][2]) * halfHeight);
}

bool SubpixelCull::provenFor(const char* renderer) { return renderer && std::strstr(renderer, "llvmpipe"); }

bool SubpixelCull::suits(const std::int32_t low[3], const std::int32_t high[3], float meanArea) const {
  if (!usable) return false;
  const auto& m = matrix.value;
  // w is linear in the point, so its least over the box is at the corner on the low side of each term.
  double nearest = m[3][3];
  for (int k = 0; k < 3; ++k) nearest += m[3][k] * (m[3][k] > 0 ? low[k] : high[k]);
  if (!(nearest > 0)) return false;
  // How many pixels a mesh unit spans at that distance, at most, along x or y.
  const double pixelsPerUnit = pixelsPerUnitAtW1 / nearest;
  return meanArea * pixelsPerUnit * pixelsPerUnit < smallTrianglePixels;
}

// Each point's window place and the pixel centres near it, where it is known to within transformError:
// a point near or behind the eye, beyond the near or far plane or far off screen is not placed, and its
// triangles are kept.
void SubpixelCull::placePoints(const PieceCorners& corners, const std::int32_t low[3], const std::int32_t high[3],
                               CullScratch& scratch) const {
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
  // Each test is linear in the point, so it holds for every point of the box once it holds for its
  // corners; the box's float corners bound the points' floats, as rounding keeps their order.
  const auto placeable = [&](double x, double y, double z) {
    const double cx = m[0][0] * x + m[0][1] * y + m[0][2] * z + m[0][3];
    const double cy = m[1][0] * x + m[1][1] * y + m[1][2] * z + m[1][3];
    const double cz = m[2][0] * x + m[2][1] * y + m[2][2] * z + m[2][3];
    const double cw = m[3][0] * x + m[3][1] * y + m[3][2] * z + m[3][3];
    return cw > 0 && cw >= nearest && cz + cw > depthRoom && cw - cz > depthRoom && std::fabs(cx) <= guard * cw &&
           std::fabs(cy) <= guard * cw;
  };
  bool wholeBox = true;
  for (int corner = 0; corner < 8; ++corner) {
    const auto pick = [&](int k) { return double(float(corner >> k & 1 ? high[k] : low[k])); };
    wholeBox = wholeBox && placeable(pick(0), pick(1), pick(2));
  }
  const std::size_t points = corners.positions.size() / 3;
  growTo(scratch.places, points);
  growTo(scratch.reaches, points);
  const float* p = corners.positions.data();
  for (std::size_t i = 0; i < points; ++i, p += 3) {
    const double x = p[0], y = p[1], z = p[2];
    if (!wholeBox && !placeable(x, y, z)) {
      scratch.reaches[i] = {-unplacedReach, unplacedReach, -unplacedReach, unplacedReach};
      continue;
    }
    const double inverseW = 1 / (m[3][0] * x + m[3][1] * y + m[3][2] * z + m[3][3]);
    const WindowPlace place = {(toX[0] * x + toX[1] * y + toX[2] * z + toX[3]) * inverseW,
                               (toY[0] * x + toY[1] * y + toY[2] * z + toY[3]) * inverseW};
    scratch.places[i] = place;
    scratch.reaches[i] = {std::int16_t(-floorOf(0.5 + margin - place.x)), floorOf(place.x + margin - 0.5),
                          std::int16_t(-floorOf(0.5 + margin - place.y)), floorOf(place.y + margin - 0.5)};
  }
}

void SubpixelCull::cull(const PieceCorners& corners, const std::int32_t low[3], const std::int32_t high[3],
                        CullScratch& scratch, FramePiece& out) const {
  placePoints(corners, low, high, scratch);
  constexpr std::uint16_t notKept = 0xFFFF;  // a piece has fewer points than this
  scratch.keptIndexOf.assign(corners.positions.size() / 3, notKept);
  // Sized for the worst case: no growth checks in the loop.
  growTo(scratch.kept.positions, corners.positions.size());
  growTo(scratch.kept.colours, corners.colours.size());
  growTo(scratch.kept.indices, corners.indices.size());
  float* position = scratch.kept.positions.data();
  float* colour = scratch.kept.colours.data();
  std::uint16_t* kept = scratch.kept.indices.data();
  std::uint16_t points = 0;
  const std::uint16_t* index = corners.indices.data();
  const std::uint16_t* const end = index + corners.indices.size();
  for (; index != end; index += 3) {
    if (!mayLightAPixel(scratch, index[0], index[1], index[2])) continue;
    for (int k = 0; k < 3; ++k) {
      std::uint16_t& keptIndex = scratch.keptIndexOf[index[k]];
      if (keptIndex == notKept) {
        keptIndex = points++;
        for (int axis = 0; axis < 3; ++axis) *position++ = corners.positions[index[k] * 3u + axis];
        for (int channel = 0; channel < 3; ++channel) *colour++ = colourFloats.of[corners.colours[index[k] * 3u + channel]];
      }
      *kept++ = keptIndex;
    }
  }
  // Out holds what was kept only, as it may wait for the GL thread beside many others.
  out.positions.assign(scratch.kept.positions.data(), position);
  out.colours.assign(scratch.kept.colours.data(), colour);
  out.indices.assign(scratch.kept.indices.data(), kept);
}

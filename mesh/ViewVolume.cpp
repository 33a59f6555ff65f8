#include "mesh/ViewVolume.h"

#include <GL/gl.h>

#include <cmath>

namespace {

// The renderer works in 32-bit floats (about 6e-8 relative); this leaves a hundredfold room.
constexpr double roundingRoom = 1e-5;

}  // namespace

ViewVolume ViewVolume::current() {
  // Column-major: element (row, column) of each is at [column * 4 + row].
  GLdouble projection[16], modelView[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
  double clip[4][4], magnitude[4][4];  // [row][column] of projection x model-view
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      clip[row][column] = magnitude[row][column] = 0;
      for (int k = 0; k < 4; ++k) {
        const double p = projection[k * 4 + row], m = modelView[column * 4 + k];
        clip[row][column] += p * m;
        magnitude[row][column] += std::fabs(p * m);
      }
    }
  }
  // Inside means -w <= x, y, z <= w: each plane is w + or - one of the other three rows.
  ViewVolume volume;
  for (int axis = 0; axis < 3; ++axis) {
    for (int side = 0; side < 2; ++side) {
      const double sign = side ? -1 : 1;
      for (int column = 0; column < 4; ++column) {
        volume.planes[axis * 2 + side][column] = clip[3][column] + sign * clip[axis][column];
        volume.bounds[axis * 2 + side][column] = magnitude[3][column] + magnitude[axis][column];
      }
    }
  }
  return volume;
}

bool ViewVolume::mayShow(const std::int32_t low[3], const std::int32_t high[3]) const {
  for (int i = 0; i < 6; ++i) {
    const double* plane = planes[i];
    // The corner furthest to the inner side, and how large the terms of its sum may be.
    double value = plane[3], bound = bounds[i][3];
    for (int k = 0; k < 3; ++k) {
      value += plane[k] * (plane[k] > 0 ? high[k] : low[k]);
      bound += bounds[i][k] * std::fmax(std::fabs(double(low[k])), std::fabs(double(high[k])));
    }
    // Written so that a value that is not a number keeps the box.
    if (value < -roundingRoom * bound) return false;
  }
  return true;
}

#include "render/ViewVolume.h"

#include <cmath>

namespace {

// The renderer works in 32-bit floats (about 6e-8 relative); this leaves a hundredfold room.
constexpr double roundingRoom = 1e-5;

}  // namespace

ViewVolume::ViewVolume(const ClipMatrix& matrix) {
  const auto& clip = matrix.value;
  const auto& magnitude = matrix.magnitude;
  // Inside means -w <= x, y, z <= w: each plane is w + or - one of the other three rows.
  for (int axis = 0; axis < 3; ++axis) {
    for (int side = 0; side < 2; ++side) {
      const double sign = side ? -1 : 1;
      for (int column = 0; column < 4; ++column) {
        planes[axis * 2 + side][column] = clip[3][column] + sign * clip[axis][column];
        bounds[axis * 2 + side][column] = magnitude[3][column] + magnitude[axis][column];
      }
    }
  }
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

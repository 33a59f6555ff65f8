// The six planes that bound what the camera can see, to tell which boxes of a mesh may show.
#pragma once

#include <cstdint>

#include "render/ClipMatrix.h"

class ViewVolume {
 public:
  // The volume seen through matrix, in model coordinates.
  explicit ViewVolume(const ClipMatrix& matrix);

  // False only when the whole box lies outside one of the planes, with room for the renderer's
  // rounding: a box that is skipped can add no pixel to the picture.
  bool mayShow(const std::int32_t low[3], const std::int32_t high[3]) const;

 private:
  // Each plane as a, b, c, d: a point is on its inner side when a x + b y + c z + d >= 0.
  double planes[6][4];
  // The same sums over the magnitudes of every term, which bound how far rounding can move the value.
  double bounds[6][4];
};

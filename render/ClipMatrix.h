// Projection times model-view: where the renderer puts a model point in clip space, and how large the
// terms of each of its sums can be, which bounds how far the renderer's float rounding can move it.
#pragma once

struct ClipMatrix {
  // The GL's current projection and model-view.
  static ClipMatrix current();
  // Both column-major, as the GL keeps them.
  ClipMatrix(const double (&projection)[16], const double (&modelView)[16]);

  double value[4][4];      // [row][column]: clip = value x (x, y, z, 1)
  double magnitude[4][4];  // the same products summed as magnitudes
};

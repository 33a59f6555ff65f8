#include "render/ClipMatrix.h"

#include <GL/gl.h>

#include <cmath>

ClipMatrix ClipMatrix::current() {
  GLdouble projection[16], modelView[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
  return ClipMatrix(projection, modelView);
}

ClipMatrix::ClipMatrix(const double (&projection)[16], const double (&modelView)[16]) {
  // Column-major: element (row, column) of each is at [column * 4 + row].
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      value[row][column] = magnitude[row][column] = 0;
      for (int k = 0; k < 4; ++k) {
        const double p = projection[k * 4 + row], m = modelView[column * 4 + k];
        value[row][column] += p * m;
        magnitude[row][column] += std::fabs(p * m);
      }
    }
  }
}

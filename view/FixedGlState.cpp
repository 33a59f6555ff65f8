#include "view/FixedGlState.h"

#include <GL/gl.h>

namespace {

float colourByte(unsigned colour, int shift) {
  return static_cast<float>((colour >> shift) & 0xFF) / 255.0f;
}

}  // namespace

void setFixedGlState(unsigned clearColour) {
  glClearColor(colourByte(clearColour, 0), colourByte(clearColour, 8), colourByte(clearColour, 16), 0.0f);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
}

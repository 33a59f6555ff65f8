#include "support/TestWindow.h"

#include <GL/gl.h>

#include "platform/Platform.h"
#include "ui/Viewport.h"

TestWindow::TestWindow(int width, int height) {
  viewportWidth = width;
  viewportHeight = height;
  open = platform::openWindow("ZarvoTest", "Zarvo test", width, height, 16);
  if (open) glViewport(0, 0, width, height);
}

TestWindow::~TestWindow() {
  if (open) platform::closeWindow();
}

void usePixelProjection(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, 0, height, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

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

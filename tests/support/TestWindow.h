// A real window with a current OpenGL context for tests that draw; closed again at scope end.
#pragma once

class TestWindow {
 public:
  TestWindow(int width = 720, int height = 480);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  bool isOpen() const { return open; }

 private:
  bool open = false;
};

// Viewport and projection of one unit per pixel, origin at the bottom-left; identity modelview.
void usePixelProjection(int width, int height);

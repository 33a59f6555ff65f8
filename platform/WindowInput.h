// Input sent to the main window from another thread, as another program would send it.
// For the tests and the benchmarks; the viewer itself never links it.
#pragma once

namespace platform {

class WindowInput {
 public:
  // Addresses the main window open on the calling (GUI) thread.
  WindowInput();
  ~WindowInput();
  WindowInput(const WindowInput&) = delete;
  WindowInput& operator=(const WindowInput&) = delete;

  // Sends a key event of a letter key ('A'..'Z'); queued for the window when it returns.
  void keyDown(char letter);
  void keyUp(char letter);
  // Ends the message loop after what is queued, leaving the window open.
  void endLoop();

 private:
  struct Target;
  Target* target;
};

}  // namespace platform

// What the backends call in the portable program: the window's handlers and the whole program's run.
// Each handler takes the integers of the matching Windows message, however the backend received them.
#pragma once

#include <string>
#include <vector>

#include "platform/DroppedItems.h"

class WindowHandlers {
 public:
  // Draws the whole frame now; the backend calls it once the input waiting for the app has been handled.
  virtual void render() = 0;
  virtual void requestFrame() = 0;
  virtual void onResize(int width, int height) = 0;
  virtual void onActivate(bool active) = 0;
  virtual void onTimer(unsigned timerId) = 0;
  virtual void onFocus(bool focused) = 0;
  // keys:: codes of platform/InputCodes.h.
  virtual void onKeyDown(unsigned key) = 0;
  virtual void onKeyUp(unsigned key) = 0;
  // flags: mouseFlags:: bits of platform/InputCodes.h.
  virtual void onMouseMove(int x, int y, unsigned flags) = 0;
  virtual void onMouseUp(int x, int y, unsigned flags) = 0;
  // delta: the wheel distance's 16 bits, 120 a notch away from the user.
  virtual void onMouseWheel(int x, int y, unsigned keys, unsigned delta) = 0;
  virtual void onFilesDropped(const std::vector<DroppedItem>& items) = 0;

 protected:
  // The app is never deleted through this interface.
  ~WindowHandlers() = default;
};

// The handlers of the running application; null while none runs (the backend's test windows).
extern WindowHandlers* theApp;

// The whole program: creates the application, opens what the first argument names, runs the message loop,
// tears down; returns the exit code. Each backend's entry point calls it.
int runZarvo(const std::vector<std::string>& arguments);

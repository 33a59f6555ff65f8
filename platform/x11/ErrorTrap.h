// The backend's one way to make X requests that may fail: on a window that has gone, or at start-up.
#pragma once

#include <X11/Xlib.h>

namespace platform::x11 {

// NOTE: Xlib reports a failed request later, through an error handler that by default ends the process.
// While a trap lives, errors are recorded instead; it waits for the server's answers before it goes.
class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display);
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;

  // Whether any request made since the trap was set has failed.
  bool failed();

 private:
  static int record(Display*, XErrorEvent*);

  static inline bool errorSeen = false;
  Display* display;
  XErrorHandler previous;
};

}  // namespace platform::x11

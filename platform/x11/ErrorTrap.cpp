#include "platform/x11/ErrorTrap.h"

namespace platform::x11 {

ErrorTrap::ErrorTrap(Display* display) : display(display), previous(XSetErrorHandler(record)) { errorSeen = false; }

ErrorTrap::~ErrorTrap() {
  XSync(display, False);
  XSetErrorHandler(previous);
}

bool ErrorTrap::failed() {
  XSync(display, False);
  return errorSeen;
}

int ErrorTrap::record(Display*, XErrorEvent*) {
  errorSeen = true;
  return 0;
}

}  // namespace platform::x11

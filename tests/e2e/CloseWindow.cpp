// close-window WINDOW-ID (decimal or 0x hex): asks an X window to close as a window manager's close
// button does, with the WM_DELETE_WINDOW message; exits with 2 without a window id or an X display.
#include <X11/Xlib.h>

#include <cstdlib>

int main(int argc, char** argv) {
  const Window window = argc == 2 ? std::strtoul(argv[1], nullptr, 0) : 0;
  Display* display = window ? XOpenDisplay(nullptr) : nullptr;
  if (!display) return 2;
  XEvent event{};
  event.xclient = {ClientMessage, 0, True, display, window, XInternAtom(display, "WM_PROTOCOLS", False), 32, {}};
  event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));  // at CurrentTime, 0
  XSendEvent(display, window, False, NoEventMask, &event);
  XCloseDisplay(display);  // flushes the event
}

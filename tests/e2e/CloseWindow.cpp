// close-window: asks an X window to close, as a window manager's close button does, with the
// WM_DELETE_WINDOW message. Usage: close-window WINDOW-ID (decimal or 0x hex).
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const unsigned long window = argc == 2 ? std::strtoul(argv[1], nullptr, 0) : 0;
  Display* display = window ? XOpenDisplay(nullptr) : nullptr;
  if (!display) {
    std::fprintf(stderr, "usage: close-window WINDOW-ID, on an X display\n");
    return 2;
  }
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XCloseDisplay(display);  // flushes the event
  return 0;
}

// The X message loop, and the events a long task takes between its steps.
#include <X11/Xlib.h>

#include "platform/Platform.h"
#include "platform/WindowHandlers.h"
#include "platform/x11/MainWindow.h"
#include "platform/x11/WindowEvents.h"

namespace platform {

using x11::mainWindow;

namespace {

constexpr int quitCode = 0;

// What a long task takes at once: the server's repaint requests, resizes and the close request, and the
// pointer's buttons, which it drops: they were aimed at a screen that the task replaces. The wheel waits.
Bool isTakenDuringLongTask(Display*, XEvent* event, XPointer) {
  switch (event->type) {
    case Expose:
    case ConfigureNotify:
      return True;
    case ButtonPress:
    case ButtonRelease:
      return x11::wheelDelta(event->xbutton.button) == 0;
    case ClientMessage:
      return x11::isCloseRequest(event->xclient);
    default:
      return False;
  }
}

}  // namespace

bool keepWindowAlive() {
  if (!mainWindow.display || !theApp) return true;
  XEvent event;
  bool repaint = false;
  while (XCheckIfEvent(mainWindow.display, &event, isTakenDuringLongTask, nullptr)) {
    if (event.type == ClientMessage) {
      mainWindow.closeRequested = true;
    } else if (event.type == Expose || event.type == ConfigureNotify) {
      x11::processEvent(event);  // a new size sets the viewport that the repaint draws in
      repaint = true;
    }
  }
  if (repaint && !mainWindow.closeRequested) theApp->render();
  return !mainWindow.closeRequested;
}

int runMessageLoop() {
  Display* display = mainWindow.display;
  XEvent event;
  for (;;) {
    if (mainWindow.closeRequested) return quitCode;
    // Every waiting event is handled before a frame is drawn: a burst of key repeats that
    // comes faster than frames gets one frame after it, as Windows holds WM_PAINT back.
    if (mainWindow.frameRequested && XPending(display) == 0) {
      mainWindow.frameRequested = false;
      theApp->render();
    }
    XNextEvent(display, &event);
    // NOTE: Windows merges waiting mouse moves into one WM_MOUSEMOVE; X queues every motion.
    while (event.type == MotionNotify && XPending(display) > 0) {
      XEvent next;
      XPeekEvent(display, &next);
      if (next.type != MotionNotify) break;
      XNextEvent(display, &event);
    }
    if (!x11::processEvent(event)) return quitCode;
  }
}

}  // namespace platform

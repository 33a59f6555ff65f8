// The X connection, window and GLX context that the backend's files share.
#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>

namespace platform::x11 {

// The events the main window selects.
constexpr long eventMask = ExposureMask | StructureNotifyMask | FocusChangeMask | KeyPressMask | KeyReleaseMask |
                            ButtonPressMask | ButtonReleaseMask | PointerMotionMask;

// Every atom the backend uses, interned once when the window opens.
struct Atoms {
  Atom wmDeleteWindow;  // sent by the window manager's close button
  Atom netWmName, utf8String, netWmWindowOpacity, netWmIcon;
  Atom xdndAware, xdndEnter, xdndPosition, xdndLeave, xdndDrop, xdndStatus, xdndFinished, xdndActionCopy;
  Atom xdndSelection, xdndTypeList, textUriList, incr;
};

struct MainWindow {
  Display* display = nullptr;
  Window window = 0;
  Colormap colormap = 0;
  GLXContext context = nullptr;
  Atoms atoms{};
  int width = 0;           // the client size the application last heard of
  int height = 0;
  unsigned numLockMask = 0;  // the modifier bit NumLock is bound to
  bool frameRequested = false;  // drawn by the message loop once no event is waiting
  bool closeRequested = false;  // during a long task: the message loop ends as soon as it runs
};

// The one main window; everything is zero while it is closed.
extern MainWindow mainWindow;

}  // namespace platform::x11

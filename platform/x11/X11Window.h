// The X connection, window and GLX context that the backend's files share.
#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>

namespace platform::x11 {

// The events the main window selects.
constexpr long kEventMask = ExposureMask | StructureNotifyMask | FocusChangeMask | KeyPressMask | KeyReleaseMask |
                            ButtonPressMask | ButtonReleaseMask | PointerMotionMask;

struct X11Window {
  Display* display = nullptr;
  Window window = 0;
  Colormap colormap = 0;
  GLXContext context = nullptr;
  Atom deleteMessage = 0;  // WM_DELETE_WINDOW, sent by the window manager's close button
  int width = 0;           // the client size the application last heard of
  int height = 0;
  unsigned numLockMask = 0;  // the modifier bit NumLock is bound to
  bool frameRequested = false;  // drawn by the message loop once no event is waiting
  bool closeRequested = false;  // during a long task: the message loop ends as soon as it runs
};

// The one main window; everything is zero while it is closed.
extern X11Window mainWindow;

}  // namespace platform::x11

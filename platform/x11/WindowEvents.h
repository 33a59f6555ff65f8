// Translation of X events into calls of the application's handlers.
#pragma once

#include <X11/Xlib.h>

namespace platform::x11 {

// Makes the one handler call an event stands for; false when the window was asked to close.
bool processEvent(const XEvent& event);

// The wheel distance of a pressed button, as Windows delivers it; 0 for buttons that are not a vertical wheel.
unsigned wheelDelta(unsigned button);

// Whether a client message is the window manager's close request.
bool isCloseRequest(const XClientMessageEvent& message);

}  // namespace platform::x11

// Delivery of X events to the application's handlers.
#pragma once

#include <X11/Xlib.h>

namespace platform::x11 {

// Makes the one handler call an event stands for; false when the window was asked to close.
bool processEvent(const XEvent& event);

}  // namespace platform::x11

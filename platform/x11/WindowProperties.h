// Window-manager properties of the main window that only start-up sets.
#pragma once

#include <X11/Xlib.h>

namespace platform::x11 {

// Hands the application's icon pictures, every size, to the window manager.
void setWindowIcon(Display* display, Window window);

}  // namespace platform::x11

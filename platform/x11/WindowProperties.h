// Window properties: those of the main window that only start-up sets, and reading any window's.
#pragma once

#include <X11/Xlib.h>

#include <string>

namespace platform::x11 {

// Hands the application's icon pictures, every size, to the window manager.
void setWindowIcon(Display* display, Window window);

struct WindowProperty {
  Atom type = None;  // None when the window has no such property or cannot be read
  int format = 0;
  std::string bytes;  // format-32 items as C longs, as Xlib hands them out
};

// The whole property, however long, read in steps on the main window's connection; deleted with the last
// step when asked.
WindowProperty readProperty(Window window, Atom name, bool deleteAfter);

}  // namespace platform::x11

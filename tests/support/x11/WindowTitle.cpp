#include "support/WindowTitle.h"

#include <X11/Xutil.h>

#include "platform/x11/X11Window.h"

// WM_NAME holds the title in Latin-1, as the program's strings are.
std::string windowTitle() {
  using platform::x11::mainWindow;
  char* name = nullptr;
  if (!mainWindow.display || !XFetchName(mainWindow.display, mainWindow.window, &name) || !name) return "";
  std::string title(name);
  XFree(name);
  return title;
}

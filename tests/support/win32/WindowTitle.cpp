#include "support/WindowTitle.h"

#include "platform/win32/Win32Window.h"

std::string windowTitle() {
  char title[1024] = {};
  GetWindowTextA(mainWindow(), title, sizeof title);
  return title;
}

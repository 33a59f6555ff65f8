#include "support/WindowState.h"

#include "platform/win32/Win32Window.h"

std::string windowTitle() {
  char title[1024] = {};
  GetWindowTextA(mainWindow(), title, sizeof title);
  return title;
}

int windowOpacity() {
  BYTE alpha = 0;
  return GetLayeredWindowAttributes(mainWindow(), nullptr, &alpha, nullptr) ? alpha : -1;
}

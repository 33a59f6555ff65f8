#include "support/WindowState.h"

#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32Window.h"

std::string windowTitle() {
  wchar_t title[1024] = {};
  GetWindowTextW(mainWindow(), title, 1024);
  return utf8FromWide(title);
}

void askToClose() { PostMessageW(mainWindow(), WM_CLOSE, 0, 0); }

int windowOpacity() {
  BYTE alpha = 0;
  return GetLayeredWindowAttributes(mainWindow(), nullptr, &alpha, nullptr) ? alpha : -1;
}

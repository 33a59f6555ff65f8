#include "support/WindowState.h"

#include "platform/win32/MainWindow.h"
#include "platform/win32/WideText.h"

using platform::win32::mainWindow;
using platform::win32::utf8FromWide;

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

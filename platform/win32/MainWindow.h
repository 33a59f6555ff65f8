// The Win32 main window's handles, for the window procedure and the backend's tests.
#pragma once

#include <windows.h>

namespace platform::win32 {

HWND mainWindow();

// On a close request: true while a long task takes the messages, which then ends it and the message
// loop; the window stays until the program's teardown closes it.
bool deferCloseToLongTask();

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform::win32

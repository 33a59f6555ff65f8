// The Win32 main window's handles, for the window procedure and the backend's tests.
#pragma once

#include <windows.h>

HWND mainWindow();

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The main window's title and opacity as the window system holds them.
#pragma once

#include <string>

std::string windowTitle();
// Asks the main window to close, as the window manager's close button does.
void askToClose();
// 255 for an opaque window, 0 for an invisible one; -1 if the window system holds none.
int windowOpacity();
#ifndef _WIN32
// A property of the main window as other X clients see it: its type's name, then its format-8 bytes or its
// format-32 items.
std::string windowProperty(const char* name);
#endif

// The main window's title as the window system holds it.
#pragma once

#include <string>

std::string windowTitle();

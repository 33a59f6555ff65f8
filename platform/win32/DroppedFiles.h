// The files of a drop on the window (WM_DROPFILES).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The dropped files' UTF-8 paths, in the drop's order; the drop's memory is released.
std::vector<std::string> takeDroppedFiles(HDROP drop);

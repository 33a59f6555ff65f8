// The files of a drop on the window (WM_DROPFILES).
#pragma once

#include <windows.h>

#include <vector>

#include "platform/DroppedItems.h"

namespace platform::win32 {

// The dropped files' UTF-8 paths, in the drop's order, a relative one as no local file; the drop's memory is
// released.
std::vector<DroppedItem> takeDroppedFiles(HDROP drop);

}  // namespace platform::win32

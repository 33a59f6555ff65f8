// Translation of X keys into the Windows virtual-key codes the handlers expect.
#pragma once

#include <X11/Xlib.h>

namespace platform::x11 {

// The virtual-key code of the key an event reports, whatever Shift does; 0 for keys without one.
unsigned virtualKeyOf(const XKeyEvent& key, unsigned numLockMask);

}  // namespace platform::x11

// A drag source as a file manager is one: drops files on a window by the XDND protocol, version 5,
// offered as text/uri-list, from an X connection of its own.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <string>
#include <vector>

// Runs pumpTarget, the target's event loop, in turns with the source's; true when the target took the drop.
bool dropByXdnd(Window target, const std::vector<std::string>& paths, const std::function<void()>& pumpTarget);

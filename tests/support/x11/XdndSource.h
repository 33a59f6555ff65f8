// A drag source as a file manager is one: drops files on a window by the XDND protocol, version 5,
// offered as text/uri-list, from an X connection of its own.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <string>
#include <vector>

// A drag as a file manager makes it (XdndEnter, XdndPosition, XdndDrop once the target answers), or with a fault.
struct XdndDrag {
  std::string uriList;
  bool enters = true;               // false: only the XdndDrop
  bool leavesFirst = false;         // XdndLeave after the target's status, then the XdndDrop all the same
  bool strangerDropsFirst = false;  // a second source drops while this drag is over the target
  int otherTypes = 0;               // offered before the list; past three types in all, in XdndTypeList
  size_t partSize = 0;              // the list sent by INCR in parts of this size; 0: in one property
};

// Runs pumpTarget, the target's event loop, in turns with the source's. Returns the target's XdndFinished answers,
// "taken" or "refused", after "stranger " for the second source's; "unanswered" when the drag got none.
std::string dragByXdnd(Window target, const XdndDrag& drag, const std::function<void()>& pumpTarget);
// The paths as file:// URIs, every byte but the unreserved ones and '/' escaped; CRLF after each.
std::string uriListOf(const std::vector<std::string>& paths);

// The main window as the target of drag and drop (the XDND protocol, version 5).
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <vector>

namespace platform::x11 {

// Tells sources that the window takes drops.
void acceptDrops(Display* display, Window window);

bool isXdndMessage(const XClientMessageEvent& message);
// Answers the source; a drop of files asks for them as a URI list.
void takeXdndMessage(const XClientMessageEvent& message);
// Whether the event brings the dropped list asked for; the caller then takes it.
bool isDroppedList(const XSelectionEvent& event);
// The dropped file paths, and tells the source the drop is done.
std::vector<std::string> takeDroppedFiles(const XSelectionEvent& event);

}  // namespace platform::x11

// The main window as the target of drag and drop (the XDND protocol, version 5).
#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <vector>

#include "platform/DroppedItems.h"

namespace platform::x11 {

// Tells sources that the window takes drops.
void acceptDrops(Display* display, Window window);

bool isXdndMessage(const XClientMessageEvent& message);
// Answers the source; a drop of the drag that entered asks for its URI list.
void takeXdndMessage(const XClientMessageEvent& message);
// The dropped items once the whole list has come, in one property or in parts (INCR); the source has then been
// told whether the drop was taken. Nothing for an event that ends no drop.
std::optional<std::vector<DroppedItem>> takeDroppedList(const XSelectionEvent& event);
std::optional<std::vector<DroppedItem>> takeDroppedListPart(const XPropertyEvent& event);

}  // namespace platform::x11

// The main window as the target of drag and drop: the XDND protocol (version 5), text/uri-list only.
#include "platform/x11/DropTarget.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/x11/ErrorTrap.h"
#include "platform/x11/MainWindow.h"
#include "platform/x11/WindowProperties.h"

namespace platform::x11 {

namespace {

constexpr long xdndVersion = 5;
// Sources older than this send no XdndTypeList and no time stamps.
constexpr long oldestSourceVersion = 3;
constexpr long accepts = 1;

// The drag over the window, from its XdndEnter until it leaves or its source is told whether the drop was taken.
struct Drag {
  Window source = None;
  bool offersUris = false;
  bool listAsked = false;    // at the drop
  bool listInParts = false;  // the source sends it by INCR
  std::string list;          // the parts come so far
};
Drag drag;

const Atoms& atoms() { return mainWindow.atoms; }

// XdndStatus carries the action in its fifth item, XdndFinished in its third.
void reply(Window source, Atom type, bool accepted, int actionAt) {
  XClientMessageEvent message{};
  message.type = ClientMessage;
  message.display = mainWindow.display;
  message.window = source;
  message.message_type = type;
  message.format = 32;
  message.data.l[0] = static_cast<long>(mainWindow.window);
  message.data.l[1] = accepted ? accepts : 0;
  message.data.l[actionAt] = static_cast<long>(accepted ? atoms().xdndActionCopy : None);
  XEvent event{};
  event.xclient = message;
  // NOTE: the source is another program's window and may be gone by the time it is answered.
  ErrorTrap sourceMayBeGone(mainWindow.display);
  XSendEvent(mainWindow.display, source, False, NoEventMask, &event);
}

// Tells the drag's source whether its drop was taken, and forgets the drag.
void finishDrag(bool taken) {
  reply(drag.source, atoms().xdndFinished, taken, 2);
  if (drag.listAsked) XSelectInput(mainWindow.display, mainWindow.window, eventMask);
  drag = Drag{};
}

// NOTE: a source with more than three types lists them in XdndTypeList on its window.
bool offersUriList(const XClientMessageEvent& enter) {
  const long uriList = static_cast<long>(atoms().textUriList);
  if (!(enter.data.l[1] & 1))
    return enter.data.l[2] == uriList || enter.data.l[3] == uriList || enter.data.l[4] == uriList;
  ErrorTrap sourceMayBeGone(mainWindow.display);
  const WindowProperty types = readProperty(drag.source, atoms().xdndTypeList, false);
  for (size_t at = 0; types.format == 32 && at + sizeof(long) <= types.bytes.size(); at += sizeof(long)) {
    long type = 0;
    std::memcpy(&type, types.bytes.data() + at, sizeof type);
    if (type == uriList) return true;
  }
  return false;
}

// A drop is taken when its list names a local file, which the app opens or names in its notice.
std::vector<DroppedItem> endDrop(const std::string& list) {
  std::vector<DroppedItem> items = itemsOfUriList(list);
  finishDrag(std::any_of(items.begin(), items.end(), [](const DroppedItem& item) { return item.isLocalFile; }));
  return items;
}

}  // namespace

void acceptDrops(Display* display, Window window) {
  const long version = xdndVersion;
  XChangeProperty(display, window, atoms().xdndAware, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&version), 1);
}

bool isXdndMessage(const XClientMessageEvent& message) {
  const Atom type = message.message_type;
  return type == atoms().xdndEnter || type == atoms().xdndPosition || type == atoms().xdndLeave ||
         type == atoms().xdndDrop;
}

void takeXdndMessage(const XClientMessageEvent& message) {
  const Atom type = message.message_type;
  const auto from = static_cast<Window>(message.data.l[0]);
  const bool ofTheDrag = from != None && from == drag.source;
  if (type == atoms().xdndEnter) {
    // A new drag while the last drop's list is awaited: that drop is given up.
    if (drag.listAsked) finishDrag(false);
    drag = Drag{};
    drag.source = from;
    drag.offersUris = (message.data.l[1] >> 24) >= oldestSourceVersion && offersUriList(message);
  } else if (type == atoms().xdndPosition) {
    reply(from, atoms().xdndStatus, ofTheDrag && drag.offersUris && !drag.listAsked, 4);
  } else if (type == atoms().xdndLeave) {
    if (ofTheDrag && !drag.listAsked) drag = Drag{};
  } else if (!ofTheDrag || drag.listAsked) {
    // A drop of no drag over the window (it never entered, or it left): refused, and the drag there stays.
    reply(from, atoms().xdndFinished, false, 2);
  } else if (!drag.offersUris) {
    finishDrag(false);
  } else {
    drag.listAsked = true;
    // A long list may come in parts (INCR), each told by a change of the property.
    XSelectInput(mainWindow.display, mainWindow.window, eventMask | PropertyChangeMask);
    // The list arrives as a SelectionNotify, stored in a property of the window named like the selection.
    XConvertSelection(mainWindow.display, atoms().xdndSelection, atoms().textUriList, atoms().xdndSelection,
                      mainWindow.window, static_cast<Time>(message.data.l[2]));
  }
}

std::optional<std::vector<DroppedItem>> takeDroppedList(const XSelectionEvent& event) {
  if (!drag.listAsked || drag.listInParts || event.selection != atoms().xdndSelection ||
      event.requestor != mainWindow.window)
    return std::nullopt;
  const WindowProperty list =
      event.property == None ? WindowProperty{} : readProperty(mainWindow.window, event.property, true);
  // Reading the INCR property deleted it, which asks the source for the first part.
  drag.listInParts = list.type == atoms().incr;
  if (drag.listInParts) return std::nullopt;
  return endDrop(list.format == 8 ? list.bytes : "");
}

std::optional<std::vector<DroppedItem>> takeDroppedListPart(const XPropertyEvent& event) {
  if (!drag.listInParts || event.window != mainWindow.window || event.atom != atoms().xdndSelection ||
      event.state != PropertyNewValue)
    return std::nullopt;
  // Reading a part deletes it, which asks for the next; an empty part ends the list.
  const WindowProperty part = readProperty(mainWindow.window, event.atom, true);
  if (part.format == 8 && !part.bytes.empty()) {
    drag.list += part.bytes;
    return std::nullopt;
  }
  return endDrop(drag.list);
}

}  // namespace platform::x11

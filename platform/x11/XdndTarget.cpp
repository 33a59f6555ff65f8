// The main window as the target of drag and drop: the XDND protocol (version 5), text/uri-list only.
#include "platform/x11/XdndTarget.h"

#include <X11/Xatom.h>

#include <cctype>
#include <cstdlib>

#include "platform/x11/X11Window.h"

namespace platform::x11 {

namespace {

constexpr long kVersion = 5;
// Sources older than this send no XdndTypeList and no time stamps.
constexpr long kOldestSourceVersion = 3;
constexpr long kAccepts = 1;

// The drag now over the window: its source, and whether it offers a URI list.
Window dragSource = None;
bool offersUris = false;

Atom atom(const char* name) { return XInternAtom(mainWindow.display, name, False); }

// NOTE: the source is another program's window and may be gone by the time it is asked or answered; Xlib's default
// handler would end the viewer over that error.
class SourceErrorsIgnored {
 public:
  SourceErrorsIgnored() : previous(XSetErrorHandler([](Display*, XErrorEvent*) { return 0; })) {}
  ~SourceErrorsIgnored() {
    XSync(mainWindow.display, False);
    XSetErrorHandler(previous);
  }
  SourceErrorsIgnored(const SourceErrorsIgnored&) = delete;
  SourceErrorsIgnored& operator=(const SourceErrorsIgnored&) = delete;

 private:
  XErrorHandler previous;
};

// XdndStatus carries the action in its fifth item, XdndFinished in its third.
void reply(const char* type, long flags, int actionAt, Atom action) {
  XClientMessageEvent message{};
  message.type = ClientMessage;
  message.display = mainWindow.display;
  message.window = dragSource;
  message.message_type = atom(type);
  message.format = 32;
  message.data.l[0] = static_cast<long>(mainWindow.window);
  message.data.l[1] = flags;
  message.data.l[actionAt] = static_cast<long>(action);
  XEvent event{};
  event.xclient = message;
  SourceErrorsIgnored ignored;
  XSendEvent(mainWindow.display, dragSource, False, NoEventMask, &event);
}

// NOTE: a source with more than three types lists them in XdndTypeList on its window.
bool offersUriList(const XClientMessageEvent& enter) {
  const Atom uriList = atom("text/uri-list");
  if (!(enter.data.l[1] & 1)) return enter.data.l[2] == long(uriList) || enter.data.l[3] == long(uriList) ||
                                     enter.data.l[4] == long(uriList);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  bool found = false;
  SourceErrorsIgnored ignored;
  if (XGetWindowProperty(mainWindow.display, dragSource, atom("XdndTypeList"), 0, 64, False, XA_ATOM, &type,
                         &format, &count, &after, &data) == Success && data) {
    const auto* types = reinterpret_cast<const unsigned long*>(data);
    for (unsigned long i = 0; i < count; ++i) found |= types[i] == uriList;
  }
  XFree(data);
  return found;
}

std::string percentDecoded(const std::string& text) {
  std::string decoded;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
      decoded += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

// The paths of the file: URIs of a text/uri-list, percent escapes decoded; other URIs as they stand.
std::vector<std::string> pathsOfUriList(const std::string& list) {
  std::vector<std::string> paths;
  for (size_t start = 0; start < list.size();) {
    size_t end = list.find('\n', start);
    if (end == std::string::npos) end = list.size();
    std::string line = list.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    // file:///path or file://host/path: the path starts at the first slash after the host.
    if (line.compare(0, 7, "file://") == 0) {
      const size_t slash = line.find('/', 7);
      line = slash == std::string::npos ? "" : percentDecoded(line.substr(slash));
    }
    if (!line.empty()) paths.push_back(line);
  }
  return paths;
}

}  // namespace

void acceptDrops(Display* display, Window window) {
  const long version = kVersion;
  XChangeProperty(display, window, XInternAtom(display, "XdndAware", False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&version), 1);
}

bool isXdndMessage(const XClientMessageEvent& message) {
  const Atom type = message.message_type;
  return type == atom("XdndEnter") || type == atom("XdndPosition") || type == atom("XdndLeave") ||
         type == atom("XdndDrop");
}

void takeXdndMessage(const XClientMessageEvent& message) {
  const Atom type = message.message_type;
  if (type == atom("XdndEnter")) {
    dragSource = static_cast<Window>(message.data.l[0]);
    offersUris = (message.data.l[1] >> 24) >= kOldestSourceVersion && offersUriList(message);
  } else if (type == atom("XdndPosition")) {
    reply("XdndStatus", offersUris ? kAccepts : 0, 4, offersUris ? atom("XdndActionCopy") : None);
  } else if (type == atom("XdndLeave")) {
    dragSource = None;
  } else if (!offersUris) {
    reply("XdndFinished", 0, 2, None);
    dragSource = None;
  } else {
    // The list arrives as a SelectionNotify, stored in a property of the window named like the selection.
    XConvertSelection(mainWindow.display, atom("XdndSelection"), atom("text/uri-list"), atom("XdndSelection"),
                      mainWindow.window, static_cast<Time>(message.data.l[2]));
  }
}

bool isDroppedList(const XSelectionEvent& event) {
  return event.selection == atom("XdndSelection") && dragSource != None;
}

std::vector<std::string> takeDroppedFiles(const XSelectionEvent& event) {
  std::string list;
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  if (event.property != None &&
      XGetWindowProperty(mainWindow.display, mainWindow.window, event.property, 0, 1 << 20, True, AnyPropertyType,
                         &type, &format, &count, &after, &data) == Success && data && format == 8)
    list.assign(reinterpret_cast<const char*>(data), count);
  XFree(data);
  reply("XdndFinished", list.empty() ? 0 : kAccepts, 2, list.empty() ? None : atom("XdndActionCopy"));
  dragSource = None;
  return pathsOfUriList(list);
}

}  // namespace platform::x11

#include "support/WindowState.h"

#include <X11/Xutil.h>

#include <cstdint>
#include <cstring>

#include "platform/x11/MainWindow.h"
#include "platform/x11/WindowProperties.h"

// WM_NAME holds the title in Latin-1, as the program's strings are.
std::string windowTitle() {
  using platform::x11::mainWindow;
  char* name = nullptr;
  if (!mainWindow.display || !XFetchName(mainWindow.display, mainWindow.window, &name) || !name) return "";
  std::string title(name);
  XFree(name);
  return title;
}

void askToClose() {
  using platform::x11::mainWindow;
  XEvent event{};
  event.xclient = {ClientMessage, 0, True, mainWindow.display, mainWindow.window,
                   XInternAtom(mainWindow.display, "WM_PROTOCOLS", False), 32, {}};
  event.xclient.data.l[0] = long(mainWindow.atoms.wmDeleteWindow);
  XSendEvent(mainWindow.display, mainWindow.window, False, NoEventMask, &event);  // sent by the next look for events
}

std::string windowProperty(const char* name) {
  using platform::x11::mainWindow;
  const auto property =
      platform::x11::readProperty(mainWindow.window, XInternAtom(mainWindow.display, name, False), false);
  char* typeName = property.type == None ? nullptr : XGetAtomName(mainWindow.display, property.type);
  std::string read = typeName ? typeName : "";
  XFree(typeName);
  if (property.format == 8) read += " " + property.bytes;
  // Format-32 items come back as sign-extended longs; the server holds their low 32 bits.
  for (std::size_t at = 0; property.format == 32 && at + sizeof(long) <= property.bytes.size(); at += sizeof(long)) {
    long item = 0;
    std::memcpy(&item, property.bytes.data() + at, sizeof item);
    read += " " + std::to_string(std::uint32_t(item));
  }
  return read;
}

// The opacity property spreads the 0..255 scale over 32 bits: its top byte is the alpha.
int windowOpacity() {
  const std::string read = windowProperty("_NET_WM_WINDOW_OPACITY");
  return read.empty() ? -1 : int(std::stoul(read.substr(read.find(' ') + 1)) >> 24);
}

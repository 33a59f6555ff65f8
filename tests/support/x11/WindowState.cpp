#include "support/WindowState.h"

#include <X11/Xutil.h>

#include <cstdint>

#include "platform/x11/X11Window.h"

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
  event.xclient.data.l[0] = long(mainWindow.deleteMessage);
  XSendEvent(mainWindow.display, mainWindow.window, False, NoEventMask, &event);  // sent by the next look for events
}

std::string windowProperty(const char* name) {
  using platform::x11::mainWindow;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(mainWindow.display, mainWindow.window, XInternAtom(mainWindow.display, name, False), 0, 1L << 20,
                     False, AnyPropertyType, &type, &format, &count, &remaining, &data);
  char* typeName = type == None ? nullptr : XGetAtomName(mainWindow.display, type);
  std::string read = typeName ? typeName : "";
  if (format == 8) read += " " + std::string(reinterpret_cast<char*>(data), count);
  // Format-32 items come back as sign-extended longs; the server holds their low 32 bits.
  for (unsigned long i = 0; format == 32 && i < count; ++i) read += " " + std::to_string(std::uint32_t(reinterpret_cast<long*>(data)[i]));
  XFree(typeName), XFree(data);
  return read;
}

// The opacity property spreads the 0..255 scale over 32 bits: its top byte is the alpha.
int windowOpacity() {
  const std::string read = windowProperty("_NET_WM_WINDOW_OPACITY");
  return read.empty() ? -1 : int(std::stoul(read.substr(read.find(' ') + 1)) >> 24);
}

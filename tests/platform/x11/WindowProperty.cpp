#include "WindowProperty.h"

#include <X11/Xatom.h>

#include "platform/x11/X11Window.h"

using platform::x11::mainWindow;

WindowProperty readWindowProperty(const char* name) {
  Display* display = mainWindow.display;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  WindowProperty property;
  if (XGetWindowProperty(display, mainWindow.window, XInternAtom(display, name, False), 0, 1L << 20,
                         False, AnyPropertyType, &type, &format, &count, &remaining,
                         &data) != Success ||
      type == None)
    return property;
  char* typeName = XGetAtomName(display, type);
  property.type = typeName;
  XFree(typeName);
  if (format == 8) property.bytes.assign(reinterpret_cast<char*>(data), count);
  // Format-32 data comes back as C longs, sign-extended: the server holds the low 32 bits.
  const long* items = reinterpret_cast<const long*>(data);
  if (format == 32)
    for (unsigned long i = 0; i < count; ++i)
      property.items.push_back(static_cast<std::uint32_t>(items[i]));
  XFree(data);
  return property;
}

// The main window's title, opacity and icon, as properties for the window manager, and reading a property.
#include "platform/x11/WindowProperties.h"

#include <X11/Xatom.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/Utf8.h"
#include "platform/x11/MainWindow.h"
#include "res/IconPictures.h"

namespace platform {

using x11::mainWindow;

namespace {

// Properties are read in steps of this many 32-bit units, 4 MiB.
constexpr long propertyStep = 1 << 20;

// NOTE: file names on Linux are bytes, usually UTF-8; only text that is not valid UTF-8 is read as Latin-1.
std::string toUtf8(const std::string& text) {
  if (isUtf8(text)) return text;
  std::string utf8;
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (code >> 6));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return utf8;
}

}  // namespace

void setTitle(const std::string& title) {
  if (!mainWindow.window) return;
  // WM_NAME is Latin-1 text by convention; _NET_WM_NAME, which window managers prefer, is UTF-8.
  XStoreName(mainWindow.display, mainWindow.window, title.c_str());
  const std::string utf8 = toUtf8(title);
  XChangeProperty(mainWindow.display, mainWindow.window, mainWindow.atoms.netWmName, mainWindow.atoms.utf8String,
                  8, PropModeReplace, reinterpret_cast<const unsigned char*>(utf8.data()),
                  static_cast<int>(utf8.size()));
  XFlush(mainWindow.display);
}

void setOpacity(unsigned char alpha) {
  if (!mainWindow.window) return;
  // The whole 32-bit range is the opacity scale: alpha 255 is 0xFFFFFFFF, alpha 128 is 0x80808080.
  // NOTE: format-32 property data is passed as C longs, 64 bits wide on 64-bit systems.
  const unsigned long opacity = alpha * 0x01010101UL;
  XChangeProperty(mainWindow.display, mainWindow.window, mainWindow.atoms.netWmWindowOpacity,
                  XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&opacity), 1);
  XFlush(mainWindow.display);
}

namespace x11 {

void setWindowIcon(Display* display, Window window) {
  // Each picture is its width, its height, then its 0xAARRGGBB pixels row by row, as longs.
  std::vector<unsigned long> icon;
  for (const int size : iconSizes) {
    icon.push_back(static_cast<unsigned long>(size));
    icon.push_back(static_cast<unsigned long>(size));
    for (const std::uint32_t pixel : iconPicture(size)) icon.push_back(pixel);
  }
  XChangeProperty(display, window, mainWindow.atoms.netWmIcon, XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(icon.data()),
                  static_cast<int>(icon.size()));
}

WindowProperty readProperty(Window window, Atom name, bool deleteAfter) {
  WindowProperty read;
  unsigned long after = 0;
  long offset = 0;
  do {
    unsigned long count = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(mainWindow.display, window, name, offset, propertyStep, deleteAfter, AnyPropertyType,
                           &read.type, &read.format, &count, &after, &data) != Success)
      return WindowProperty{};
    const size_t itemSize = read.format == 32 ? sizeof(long) : static_cast<size_t>(read.format / 8);
    if (data) read.bytes.append(reinterpret_cast<const char*>(data), count * itemSize);
    offset += static_cast<long>(count * static_cast<unsigned long>(read.format) / 32);
    XFree(data);
  } while (after > 0);
  return read;
}

}  // namespace x11

}  // namespace platform

// The main window's title, opacity and icon, as properties for the window manager.
#include "platform/x11/WindowProperties.h"

#include <X11/Xatom.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/Utf8.h"
#include "platform/x11/X11Window.h"
#include "res/IconPictures.h"

namespace platform {

using x11::mainWindow;

namespace {

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

Atom atom(const char* name) { return XInternAtom(mainWindow.display, name, False); }

}  // namespace

void setTitle(const std::string& title) {
  if (!mainWindow.window) return;
  // WM_NAME is Latin-1 text by convention; _NET_WM_NAME, which window managers prefer, is UTF-8.
  XStoreName(mainWindow.display, mainWindow.window, title.c_str());
  const std::string utf8 = toUtf8(title);
  XChangeProperty(mainWindow.display, mainWindow.window, atom("_NET_WM_NAME"), atom("UTF8_STRING"),
                  8, PropModeReplace, reinterpret_cast<const unsigned char*>(utf8.data()),
                  static_cast<int>(utf8.size()));
  XFlush(mainWindow.display);
}

void setOpacity(unsigned char alpha) {
  if (!mainWindow.window) return;
  // The whole 32-bit range is the opacity scale: alpha 255 is 0xFFFFFFFF, alpha 128 is 0x80808080.
  // NOTE: format-32 property data is passed as C longs, 64 bits wide on 64-bit systems.
  const unsigned long opacity = alpha * 0x01010101UL;
  XChangeProperty(mainWindow.display, mainWindow.window, atom("_NET_WM_WINDOW_OPACITY"),
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
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(icon.data()),
                  static_cast<int>(icon.size()));
}

}  // namespace x11

}  // namespace platform

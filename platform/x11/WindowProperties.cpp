// The main window's title, opacity and icon, as properties for the window manager.
#include "platform/x11/WindowProperties.h"

#include <X11/Xatom.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/x11/X11Window.h"
#include "res/IconPictures.h"

namespace platform {

using x11::mainWindow;

namespace {

// Length of the UTF-8 sequence at text[at], or 0 when it is not well formed.
size_t utf8SequenceAt(const std::string& text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const size_t length = lead < 0x80                   ? 1
                        : lead >= 0xC2 && lead < 0xE0 ? 2
                        : lead >= 0xE0 && lead < 0xF0 ? 3
                        : lead >= 0xF0 && lead < 0xF5 ? 4
                                                      : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (size_t i = at + 1; i < at + length; ++i)
    if ((byte(i) & 0xC0) != 0x80) return 0;
  return length;
}

bool isUtf8(const std::string& text) {
  for (size_t at = 0; at < text.size();) {
    const size_t length = utf8SequenceAt(text, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

// NOTE: the program's strings are 8-bit ANSI text, but file names on Linux are usually UTF-8
// already; only text that is not valid UTF-8 is read as Latin-1.
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

// Builds the overlay's bitmap glyph display lists from an X core font.
#include <GL/glx.h>

#include <cctype>
#include <string>

#include "platform/Platform.h"
#include "platform/x11/MainWindow.h"

namespace platform {

namespace {

// A Latin-1 core font of the face, or of Courier, height pixels high, else the server's "fixed".
XFontStruct* loadFont(Display* display, int height, const char* faceName) {
  std::string face = faceName;
  for (char& c : face) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  // NOTE: core fonts know no "courier new"; Debian's xfonts-75dpi and xfonts-100dpi have Courier.
  for (const std::string& family : {face, std::string("courier")}) {
    const std::string name =
        "-*-" + family + "-medium-r-normal--" + std::to_string(height) + "-*-*-*-*-*-iso8859-1";
    if (XFontStruct* font = XLoadQueryFont(display, name.c_str())) return font;
  }
  return XLoadQueryFont(display, "fixed");
}

}  // namespace

void buildFontGlyphs(unsigned firstList, int height, const char* faceName) {
  Display* display = x11::mainWindow.display;
  if (!display) return;
  XFontStruct* font = loadFont(display, height, faceName);
  if (!font) return;
  glXUseXFont(font->fid, 0, fontGlyphCount, static_cast<int>(firstList));
  XFreeFont(display, font);
}

}  // namespace platform

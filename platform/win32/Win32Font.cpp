// The overlay's bitmap font: a GDI font turned into glyph display lists by WGL.
#include <windows.h>

#include "platform/Platform.h"

void platform::buildFontGlyphs(unsigned firstList, int height, const char* faceName) {
  HDC dc = CreateCompatibleDC(nullptr);
  // A negative height asks for the character height without internal leading.
  HFONT font = CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                           OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, faceName);
  SelectObject(dc, font);
  wglUseFontBitmapsA(dc, 0, 255, firstList);
  DeleteObject(font);
  DeleteDC(dc);
}

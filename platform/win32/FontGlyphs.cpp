// The overlay's bitmap font: a GDI font turned into glyph display lists by WGL.
#include <windows.h>

#include <GL/gl.h>

#include "platform/Platform.h"

namespace {

// NOTE: Wine (8.0) records a blank glyph such as the space as a bitmap without pixels,
// which Mesa's display lists drop, so text under Wine loses its spaces. A 0 x 0 bitmap
// with a (never read) pixel pointer keeps the advance everywhere.
void recordBlankGlyphAdvances(HDC dc, unsigned firstList) {
  const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  static const GLubyte noPixels = 0;
  for (int code = 0; code < platform::fontGlyphCount; ++code) {
    GLYPHMETRICS metrics;
    if (GetGlyphOutlineA(dc, code, GGO_BITMAP, &metrics, 0, nullptr, &identity) != 0) continue;
    glNewList(firstList + code, GL_COMPILE);
    glBitmap(0, 0, 0, 0, metrics.gmCellIncX, metrics.gmCellIncY, &noPixels);
    glEndList();
  }
}

}  // namespace

void platform::buildFontGlyphs(unsigned firstList, int height, const char* faceName) {
  HDC dc = CreateCompatibleDC(nullptr);
  // A negative height asks for the character height without internal leading.
  HFONT font = CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                           OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, faceName);
  SelectObject(dc, font);
  wglUseFontBitmapsA(dc, 0, platform::fontGlyphCount, firstList);
  recordBlankGlyphAdvances(dc, firstList);
  DeleteObject(font);
  DeleteDC(dc);
}

// The bitmap font under Wine: every glyph list moves the pen, blank ones included.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "support/TestWindow.h"

TEST(FontGlyphs, BlankAndPrintedGlyphsBothAdvanceThePen) {
  TestWindow window(200, 100);
  ASSERT_TRUE(window.isOpen());
  usePixelProjection(200, 100);
  const GLuint base = glGenLists(255);
  platform::buildFontGlyphs(base, 12, "Courier New");
  for (unsigned char code : {' ', 'a', 'W', '0', ':', '-'}) {  // a blank space would lose every line's spaces
    glRasterPos2i(10, 10);
    glCallList(base + code);
    GLfloat position[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    EXPECT_GE(position[0] - 10, 1.0f) << code;
  }
}

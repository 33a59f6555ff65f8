// The overlay's font from each system's own: about 12 pixels high, each printable one advancing one width.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "support/Feedback.h"
#include "support/RunningApp.h"
#include "ui/ButtonPanel.h"

TEST(FontGlyphs, PrintableGlyphsAreAbout12PixelsHighAndAdvanceByOneWidth) {
  constexpr int width = 200, height = 100;
  RunningApp running;
  ASSERT_TRUE(running.created);
  const int base = ButtonPanel().createFont(12, "Courier New");
  usePixelProjection(width, height);
  glListBase(base);
  const auto litRows = [&](const char* text) {  // those holding lit pixels, bottom up
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glRasterPos2i(10, 40);
    glCallLists(GLsizei(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    std::vector<GLubyte> pixels(width * height);
    glReadPixels(0, 0, width, height, GL_RED, GL_UNSIGNED_BYTE, pixels.data());
    std::vector<int> rows;
    for (int y = 0; y < height; ++y)
      if (std::any_of(&pixels[y * width], &pixels[(y + 1) * width], [](GLubyte p) { return p > 200; })) rows.push_back(y);
    return rows;
  };
  EXPECT_TRUE(litRows("  ").empty()) << "a space lights nothing";
  const std::vector<int> rows = litRows("Mgjq|");
  ASSERT_FALSE(rows.empty()) << "no glyph pixel drawn";
  // Descenders reach below the baseline, capitals well above it; 12 rows in all (13 for Windows' bar).
  EXPECT_TRUE(rows.front() < 40 && rows.back() >= 47) << rows.front() << ".." << rows.back();
  EXPECT_NEAR(rows.back() - rows.front() + 1, 12, 1);
  std::string text;
  for (int code = 0x20; code < platform::fontGlyphCount; ++code)
    if (code < 0x7F || code >= 0xA0) text += static_cast<char>(code);
  const auto bitmaps = itemsOfKind(captureFeedback([&] {
    glRasterPos2i(0, 50);
    glCallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
  }), GL_BITMAP_TOKEN);
  ASSERT_EQ(bitmaps.size(), text.size());
  const float advance = bitmaps[1].vertices[0].x - bitmaps[0].vertices[0].x;
  EXPECT_TRUE(advance >= 6 && advance <= 8) << advance;
  for (size_t i = 1; i < bitmaps.size(); ++i) {
    EXPECT_FLOAT_EQ(bitmaps[i].vertices[0].x - bitmaps[i - 1].vertices[0].x, advance) << i;
    EXPECT_FLOAT_EQ(bitmaps[i].vertices[0].y, 50) << i;
  }
}

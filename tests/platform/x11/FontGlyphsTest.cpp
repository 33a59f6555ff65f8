// The glyph lists drawn from an X core font: one per character code, 12 pixels high, monospaced.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "support/TestWindow.h"
#include "support/Feedback.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 100;
constexpr int kGlyphCount = 255;

class FontGlyphsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::openWindow("ZarvoTest", "Zarvo", kWidth, kHeight, 16));
    base = glGenLists(kGlyphCount);
    platform::buildFontGlyphs(base, 12, "Courier New");
    usePixelProjection(kWidth, kHeight);
  }
  void TearDown() override { platform::closeWindow(); }

  void drawText(const std::string& text, int x, int y) const {
    glRasterPos2i(x, y);
    glListBase(base);
    glCallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
  }

  GLuint base = 0;
};

TEST_F(FontGlyphsTest, FillsOneListForEachCodeFrom0To254) {
  for (int code = 0; code < kGlyphCount; ++code) EXPECT_TRUE(glIsList(base + code)) << code;
}

TEST_F(FontGlyphsTest, EveryPrintableGlyphAdvancesByTheSameWidth) {
  std::string text;
  for (int code = 0x20; code < 0x7F; ++code) text += static_cast<char>(code);
  for (int code = 0xA0; code < 0xFF; ++code) text += static_cast<char>(code);

  const auto bitmaps =
      itemsOfKind(captureFeedback([&] { drawText(text, 0, 50); }), GL_BITMAP_TOKEN);
  ASSERT_EQ(bitmaps.size(), text.size());
  const float advance = bitmaps[1].vertices[0].x - bitmaps[0].vertices[0].x;
  EXPECT_GE(advance, 6);
  EXPECT_LE(advance, 8);
  for (size_t i = 1; i < bitmaps.size(); ++i) {
    EXPECT_FLOAT_EQ(bitmaps[i].vertices[0].x - bitmaps[i - 1].vertices[0].x, advance) << i;
    EXPECT_FLOAT_EQ(bitmaps[i].vertices[0].y, 50) << i;
  }
}

TEST_F(FontGlyphsTest, GlyphsAreAbout12PixelsHighAroundTheBaseline) {
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1, 1, 1);
  constexpr int kBaseline = 40;
  drawText("Mgjq|", 10, kBaseline);
  std::vector<GLubyte> pixels(kWidth * kHeight);
  glReadPixels(0, 0, kWidth, kHeight, GL_RED, GL_UNSIGNED_BYTE, pixels.data());

  int lowest = kHeight;
  int highest = -1;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (pixels[y * kWidth + x] > 128) {
        lowest = std::min(lowest, y);
        highest = std::max(highest, y);
      }
  ASSERT_GE(highest, 0) << "no glyph pixel drawn";
  // Descenders reach below the baseline, capitals well above it; the whole font fits in 12 rows.
  EXPECT_LT(lowest, kBaseline);
  EXPECT_GE(highest, kBaseline + 7);
  EXPECT_LE(highest - lowest + 1, 12);
}

}  // namespace

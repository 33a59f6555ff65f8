#include <GL/gl.h>

#include "OverlayTest.h"
#include "ui/Button.h"
#include "ui/ButtonPanel.h"

namespace {

using CreateFontTest = OverlayTest;

TEST_F(CreateFontTest, Makes255GlyphListsThatDrawText) {
  ButtonPanel panel;
  const int base = panel.createFont(12, "Courier New");
  ASSERT_NE(base, 0);
  EXPECT_TRUE(glIsList(base));
  EXPECT_TRUE(glIsList(base + 254));
  EXPECT_FALSE(glIsList(base + 255));

  Button box(10, 20, 200, 46);
  box.setAnchor(AnchorBottomLeft);
  box.setFont(base);
  box.setText("a\n\nb");
  const auto glyphs = glyphPositions(drawnItems(box));
  ASSERT_FALSE(glyphs.empty());
  EXPECT_EQ(glyphs.front(), (Point{14, 54}));
  bool secondLineSeen = false;
  for (const Point& glyph : glyphs) {
    const bool onSecondLine = glyph == Point{glyph.x, 40};
    EXPECT_TRUE(onSecondLine || (glyph == Point{glyph.x, 54})) << glyph;
    if (onSecondLine && !secondLineSeen) {
      EXPECT_EQ(glyph, (Point{14, 40}));
      secondLineSeen = true;
    }
  }
  EXPECT_TRUE(secondLineSeen);
}

TEST(CreateFontWithoutContextTest, ReturnsZeroWhenNoListsCanBeReserved) {
  // With no context current GL reserves nothing; the OS font must not be made either.
  ButtonPanel panel;
  EXPECT_EQ(panel.createFont(12, "Courier New"), 0);
}

}  // namespace

#include <GL/gl.h>

#include <string>

#include "OverlayTest.h"
#include "ui/Button.h"
#include "ui/Viewport.h"

namespace {

void expectColour(const FeedbackVertex& v, int r, int g, int b, int a) {
  const float tolerance = 0.5f / 255;
  EXPECT_NEAR(v.r, r / 255.0f, tolerance);
  EXPECT_NEAR(v.g, g / 255.0f, tolerance);
  EXPECT_NEAR(v.b, b / 255.0f, tolerance);
  EXPECT_NEAR(v.a, a / 255.0f, tolerance);
}

using ButtonTest = OverlayTest;

// Both readings of the placement must agree: where hitTest answers and where draw puts the outline.
TEST_F(ButtonTest, AnchorsPlaceTheBoxForHitsAndDrawing) {
  struct Case {
    const char* name;
    int viewWidth, viewHeight;
    bool sameBox;  // keep the previous row's box untouched
    int x, y, width, height;
    unsigned anchor;
    bool visible, clickable;
    int left, bottom, boxWidth, boxHeight;
  };
  const Case cases[] = {
      {"close box", 720, 480, false, 5, 5, 45, 20, AnchorTopRight, true, true, 670, 455, 45, 20},
      {"the same close box after a resize", 800, 600, true, 0, 0, 0, 0, 0, true, true, 750, 575, 45, 20},
      {"top left, hidden but clickable", 720, 480, false, 5, 30, 200, 20, AnchorTopLeft, false, true, 5, 430, 200, 20},
      {"bottom left", 720, 480, false, 5, 30, 200, 20, AnchorBottomLeft, true, true, 5, 30, 200, 20},
      {"bottom right, not clickable", 720, 480, false, 10, 15, 100, 20, AnchorBottomRight, true, false, 610, 15, 100, 20},
      {"anchor 7 as bottom left", 720, 480, false, 5, 30, 200, 20, 7, true, true, 5, 30, 200, 20},
      {"negatives stored as 0, width 0 hit on one column", 720, 480, false, -3, 7, -1, 20, AnchorTopLeft, true, true, 0, 453, 0, 20},
      {"all negative, height 0 hit on one row", 640, 400, false, -3, -7, 30, -20, AnchorTopRight, true, true, 610, 400, 30, 0},
  };
  Button button;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    viewportWidth = c.viewWidth;
    viewportHeight = c.viewHeight;
    if (!c.sameBox) {
      button = Button();
      button.setGeometry(c.x, c.y, c.width, c.height);
      button.setAnchor(static_cast<Anchor>(c.anchor));
      button.setVisible(c.visible);
      button.setClickable(c.clickable);
    }
    const int right = c.left + c.boxWidth, top = c.bottom + c.boxHeight;
    const int midX = c.left + c.boxWidth / 2, midY = c.bottom + c.boxHeight / 2;
    // Window rows count down from the top edge.
    auto hit = [&](int x, int overlayY) { return button.hitTest(x, viewportHeight - overlayY); };
    for (int x : {c.left, right})
      for (int y : {c.bottom, top}) EXPECT_EQ(hit(x, y), c.clickable) << x << "," << y;
    EXPECT_EQ(hit(midX, midY), c.clickable);
    EXPECT_FALSE(hit(c.left - 1, midY));
    EXPECT_FALSE(hit(right + 1, midY));
    EXPECT_FALSE(hit(midX, c.bottom - 1));
    EXPECT_FALSE(hit(midX, top + 1));

    const auto items = drawnItems(button);
    if (c.visible) {
      EXPECT_EQ(lineSegments(items), outline(c.left, c.bottom, c.boxWidth, c.boxHeight));
    } else {
      EXPECT_TRUE(items.empty());
    }
  }
}

TEST_F(ButtonTest, BodyIsAFrontFacingGradientInsideAWhiteOutline) {
  Button box(10, 20, 100, 46);
  box.setAnchor(AnchorBottomLeft);
  box.setColour(10, 20, 30, 40);
  glLineWidth(3.0f);
  const auto items = drawnItems(box);

  // GL splits the quad into triangles; they survive back-face culling only if counter-clockwise,
  // and together they cover the box. The bottom edge takes the box colour, the top edge grey.
  float area = 0;
  for (const auto& triangle : itemsOfKind(items, GL_POLYGON_TOKEN)) {
    ASSERT_EQ(triangle.vertices.size(), 3u);
    const auto& p = triangle.vertices;
    const float twiceArea = (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y);
    EXPECT_GT(twiceArea, 0.0f);
    area += twiceArea / 2;
    for (const auto& v : p) {
      const bool bottom = v.y < 43;
      EXPECT_NEAR(v.x, v.x < 60 ? 10 : 110, 1e-3);
      EXPECT_NEAR(v.y, bottom ? 20 : 66, 1e-3);
      expectColour(v, bottom ? 10 : 128, bottom ? 20 : 128, bottom ? 30 : 128, bottom ? 40 : 128);
    }
  }
  EXPECT_NEAR(area, 100 * 46, 1e-2);

  EXPECT_EQ(lineSegments(items), outline(10, 20, 100, 46));
  for (const auto& item : items)
    if (item.token == GL_LINE_TOKEN || item.token == GL_LINE_RESET_TOKEN)
      for (const auto& v : item.vertices) expectColour(v, 255, 255, 255, 128);
  GLfloat lineWidth = 0;
  glGetFloatv(GL_LINE_WIDTH, &lineWidth);
  EXPECT_EQ(lineWidth, 1.0f);
}

TEST_F(ButtonTest, TextLinesStartAtThePenBelowTheTopEdgeAndSkipEmptyLines) {
  Button box(10, 20, 200, 46);  // anchored top left: top edge at 460, pen at (14, 448)
  box.setFont(makeTestFont());
  auto at = [](int column, int line) { return Point{14.0f + column * kTestGlyphAdvance, 448.0f - 14 * line}; };
  const struct {
    std::string text;
    std::vector<Point> glyphs;
  } cases[] = {
      {"a\n\nb", {at(0, 0), at(0, 1)}},
      {"\nx\n", {at(0, 0)}},
      {"one\ntwo\nthree", {at(0, 0), at(1, 0), at(2, 0), at(0, 1), at(1, 1), at(2, 1), at(0, 2), at(1, 2), at(2, 2), at(3, 2), at(4, 2)}},
      // Byte 255 names the list after the font: it is dropped, the next byte takes its place.
      {"a\xff" "b\n\xff\xff" "c", {at(0, 0), at(1, 0), at(0, 1)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    box.setPlainText(c.text);
    glListBase(3);
    for (int pass = 0; pass < 2; ++pass) {
      const auto items = drawnItems(box);
      EXPECT_EQ(glyphPositions(items), c.glyphs);
      EXPECT_TRUE(itemsOfKind(items, GL_POINT_TOKEN).empty()) << "a list outside the font ran";
      // Opaque white only if the colour was set before the raster position.
      for (const auto& glyph : itemsOfKind(items, GL_BITMAP_TOKEN)) expectColour(glyph.vertices[0], 255, 255, 255, 255);
      GLint listBase = -1;
      glGetIntegerv(GL_LIST_BASE, &listBase);
      EXPECT_EQ(listBase, 3) << "the font's list base leaked out of draw";
    }
  }

  // A list at the character's own code would run if font 0 were used as a base.
  const GLubyte pixel = 0x80;
  glNewList('x', GL_COMPILE);
  glBitmap(1, 1, 0, 0, 8, 0, &pixel);
  glEndList();
  box.setFont(0);
  box.setText("x");
  const auto items = drawnItems(box);
  EXPECT_TRUE(itemsOfKind(items, GL_BITMAP_TOKEN).empty());
  EXPECT_FALSE(itemsOfKind(items, GL_POLYGON_TOKEN).empty());
}

TEST(ButtonTextTest, SetTextFormatsAndCutsAt255PlainTextIsKeptWhole) {
  Button box;
  box.setText("%d files", 3);
  EXPECT_STREQ(box.getText(), "3 files");
  const char* noFormat = nullptr;
  box.setText(noFormat);
  EXPECT_STREQ(box.getText(), "3 files");
  box.setText("%s|%d", std::string(300, 'q').c_str(), 42);
  EXPECT_EQ(std::string(box.getText()), std::string(255, 'q'));
  box.setText("%s!", std::string(254, 'r').c_str());
  EXPECT_EQ(std::string(box.getText()), std::string(254, 'r') + "!");

  const std::string path = "smx/" + std::string(400, 'd') + "/100%s%n.smx";
  box.setPlainText(path);
  EXPECT_EQ(std::string(box.getText()), path);
}

}  // namespace

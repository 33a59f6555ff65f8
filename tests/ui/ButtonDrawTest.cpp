#include <GL/gl.h>

#include <algorithm>
#include <string>

#include "OverlayTest.h"
#include "ui/Button.h"

namespace {

void expectColour(const FeedbackVertex& v, int r, int g, int b, int a) {
  const float tolerance = 0.5f / 255;
  EXPECT_NEAR(v.r, r / 255.0f, tolerance);
  EXPECT_NEAR(v.g, g / 255.0f, tolerance);
  EXPECT_NEAR(v.b, b / 255.0f, tolerance);
  EXPECT_NEAR(v.a, a / 255.0f, tolerance);
}

using ButtonDrawTest = OverlayTest;

TEST_F(ButtonDrawTest, BodyIsAFrontFacingGradientInsideAWhiteOutline) {
  Button box(10, 20, 100, 46);
  box.setAnchor(AnchorBottomLeft);
  box.setColour(10, 20, 30, 40);
  glLineWidth(3.0f);
  const auto items = drawnItems(box);

  // GL splits the quad into triangles; they survive back-face culling only if counter-clockwise.
  const auto triangles = itemsOfKind(items, GL_POLYGON_TOKEN);
  ASSERT_FALSE(triangles.empty());
  // Counter-clockwise from the bottom-left corner; the bottom edge takes the box colour.
  const Point corners[4] = {{10, 20}, {110, 20}, {110, 66}, {10, 66}};
  int cornersSeen[4] = {};
  for (const auto& triangle : triangles) {
    ASSERT_EQ(triangle.vertices.size(), 3u);
    const auto& p = triangle.vertices;
    EXPECT_GT((p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y), 0.0f);
    for (const auto& v : p) {
      const int corner = int(std::find(corners, corners + 4, Point{v.x, v.y}) - corners);
      ASSERT_LT(corner, 4) << Point{v.x, v.y};
      if (corner < 2)
        expectColour(v, 10, 20, 30, 40);
      else
        expectColour(v, 128, 128, 128, 128);
      ++cornersSeen[corner];
    }
  }
  for (int seen : cornersSeen) EXPECT_GT(seen, 0);

  const std::vector<std::pair<Point, Point>> loop{
      {corners[0], corners[1]}, {corners[1], corners[2]}, {corners[2], corners[3]}, {corners[3], corners[0]}};
  EXPECT_EQ(lineSegments(items), loop);
  for (const auto& item : items)
    if (item.token == GL_LINE_TOKEN || item.token == GL_LINE_RESET_TOKEN)
      for (const auto& v : item.vertices) expectColour(v, 255, 255, 255, 128);
  GLfloat lineWidth = 0;
  glGetFloatv(GL_LINE_WIDTH, &lineWidth);
  EXPECT_EQ(lineWidth, 1.0f);
}

TEST_F(ButtonDrawTest, TextLinesStartAtThePenAndSkipEmptyLines) {
  const int font = makeTestFont();
  Button box(10, 20, 200, 46);  // pen starts at (14, 54)
  box.setAnchor(AnchorBottomLeft);
  box.setFont(font);
  const int a = kTestGlyphAdvance;
  struct Case {
    std::string text;
    std::vector<Point> glyphs;
  };
  const Case cases[] = {
      {"a\n\nb", {{14, 54}, {14, 40}}},
      {"\nx\n", {{14, 54}}},
      {"ab\ncd", {{14, 54}, {14.0f + a, 54}, {14, 40}, {14.0f + a, 40}}},
      {"\n\n\nq\n\nr\n\n", {{14, 54}, {14, 40}}},
      {"one\ntwo\nthree", {{14, 54}, {14.0f + a, 54}, {14.0f + 2 * a, 54},
                           {14, 40}, {14.0f + a, 40}, {14.0f + 2 * a, 40},
                           {14, 26}, {14.0f + a, 26}, {14.0f + 2 * a, 26}, {14.0f + 3 * a, 26}, {14.0f + 4 * a, 26}}},
      // Byte 255 names the list after the font: it is dropped, the next byte takes its place.
      {"a\xff" "b\n\xff\xff" "c", {{14, 54}, {14.0f + a, 54}, {14, 40}}},
      {"", {}},
  };
  for (const Case& c : cases) {
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
    EXPECT_EQ(std::string(box.getText()), c.text);
  }
}

TEST_F(ButtonDrawTest, TextFollowsTheTopEdgeOfAnAnchoredBox) {
  const int font = makeTestFont();
  Button box(5, 30, 200, 46);  // top edge at 480 - 30 = 450
  box.setFont(font);
  box.setText("x\ny");
  EXPECT_EQ(glyphPositions(drawnItems(box)), (std::vector<Point>{{9, 438}, {9, 424}}));
}

TEST_F(ButtonDrawTest, FontZeroDrawsBoxWithoutText) {
  // A list at the character's own code would run if font 0 were used as a base.
  const GLubyte pixel = 0x80;
  glNewList('x', GL_COMPILE);
  glBitmap(1, 1, 0, 0, 8, 0, &pixel);
  glEndList();

  Button box(10, 20, 100, 46);
  box.setText("x");
  const auto items = drawnItems(box);
  EXPECT_TRUE(itemsOfKind(items, GL_BITMAP_TOKEN).empty());
  EXPECT_FALSE(itemsOfKind(items, GL_POLYGON_TOKEN).empty());
  EXPECT_FALSE(lineSegments(items).empty());
}

}  // namespace

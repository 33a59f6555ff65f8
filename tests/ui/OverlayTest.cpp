#include "OverlayTest.h"

#include <GL/gl.h>

#include "ui/Button.h"
#include "ui/Viewport.h"
#include "view/FixedGlState.h"

void OverlayTest::SetUp() {
  ASSERT_TRUE(window.isOpen());
  // The fixed state the application sets at start: the boxes must hold up under it.
  setFixedGlState(0);
}

std::vector<FeedbackItem> drawnItems(const Button& button) {
  usePixelProjection(viewportWidth, viewportHeight);
  return captureFeedback([&] { button.draw(); });
}

std::vector<Segment> lineSegments(const std::vector<FeedbackItem>& items) {
  std::vector<Segment> segments;
  for (const auto& item : items)
    if (item.token == GL_LINE_TOKEN || item.token == GL_LINE_RESET_TOKEN)
      segments.push_back({{item.vertices[0].x, item.vertices[0].y}, {item.vertices[1].x, item.vertices[1].y}});
  return segments;
}

std::vector<Point> glyphPositions(const std::vector<FeedbackItem>& items) {
  std::vector<Point> positions;
  for (const auto& item : itemsOfKind(items, GL_BITMAP_TOKEN)) positions.push_back({item.vertices[0].x, item.vertices[0].y});
  return positions;
}

std::vector<Segment> outline(float left, float bottom, float width, float height) {
  const Point bl{left, bottom}, br{left + width, bottom}, tr{left + width, bottom + height}, tl{left, bottom + height};
  return {{bl, br}, {br, tr}, {tr, tl}, {tl, bl}};
}

int makeTestFont() {
  const GLuint base = glGenLists(256);
  const GLubyte pixel = 0x80;
  for (GLuint list = base; list < base + 255; ++list) {
    glNewList(list, GL_COMPILE);
    glBitmap(1, 1, 0, 0, kTestGlyphAdvance, 0, &pixel);
    glEndList();
  }
  glNewList(base + 255, GL_COMPILE);
  glBegin(GL_POINTS);
  glVertex2i(1, 1);
  glEnd();
  glEndList();
  return static_cast<int>(base);
}

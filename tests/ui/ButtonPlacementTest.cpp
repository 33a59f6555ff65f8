#include <GL/gl.h>

#include "OverlayTest.h"
#include "ui/Button.h"
#include "ui/Viewport.h"

namespace {

struct Box {
  int left, bottom, width, height;
};

// Checks both readings of the placement: where hitTest answers and where draw puts the outline.
void expectPlacedAt(const Button& button, const Box& box) {
  const int right = box.left + box.width;
  const int top = box.bottom + box.height;
  const int midX = box.left + box.width / 2;
  const int midY = box.bottom + box.height / 2;
  // Window rows count down from the top edge.
  auto hit = [&](int x, int overlayY) { return button.hitTest(x, viewportHeight - overlayY); };

  EXPECT_TRUE(hit(box.left, box.bottom));
  EXPECT_TRUE(hit(right, box.bottom));
  EXPECT_TRUE(hit(right, top));
  EXPECT_TRUE(hit(box.left, top));
  EXPECT_FALSE(hit(box.left - 1, midY));
  EXPECT_FALSE(hit(right + 1, midY));
  EXPECT_FALSE(hit(midX, box.bottom - 1));
  EXPECT_FALSE(hit(midX, top + 1));

  const Point bl{float(box.left), float(box.bottom)}, br{float(right), float(box.bottom)};
  const Point tr{float(right), float(top)}, tl{float(box.left), float(top)};
  const std::vector<std::pair<Point, Point>> loop{{bl, br}, {br, tr}, {tr, tl}, {tl, bl}};
  EXPECT_EQ(lineSegments(drawnItems(button)), loop);
}

using ButtonPlacementTest = OverlayTest;

TEST_F(ButtonPlacementTest, AnchorsPlaceTheBoxFromTheirCorner) {
  struct Case {
    const char* name;
    int viewWidth, viewHeight;
    int x, y, width, height;
    unsigned anchor;
    Box expected;
  };
  const Case cases[] = {
      {"close box, top right", 720, 480, 5, 5, 45, 20, AnchorTopRight, {670, 455, 45, 20}},
      {"top left", 720, 480, 5, 30, 200, 20, AnchorTopLeft, {5, 430, 200, 20}},
      {"bottom left", 720, 480, 5, 30, 200, 20, AnchorBottomLeft, {5, 30, 200, 20}},
      {"bottom right", 720, 480, 10, 15, 100, 20, AnchorBottomRight, {610, 15, 100, 20}},
      {"anchor 7 as bottom left", 720, 480, 5, 30, 200, 20, 7, {5, 30, 200, 20}},
      {"anchor 255 as bottom left", 720, 480, 5, 30, 200, 20, 255, {5, 30, 200, 20}},
      {"negatives stored as 0, width 0 hit on one column", 720, 480, -3, 7, -1, 20, AnchorTopLeft, {0, 453, 0, 20}},
      {"all negative, height 0 hit on one row", 640, 400, -3, -7, 30, -20, AnchorTopRight, {610, 400, 30, 0}},
      {"top right in a larger area", 1024, 768, 0, 0, 100, 50, AnchorTopRight, {924, 718, 100, 50}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    viewportWidth = c.viewWidth;
    viewportHeight = c.viewHeight;
    Button button(c.x, c.y, c.width, c.height);
    button.setAnchor(static_cast<Anchor>(c.anchor));
    expectPlacedAt(button, c.expected);

    Button reset;
    reset.setAnchor(static_cast<Anchor>(c.anchor));
    reset.setGeometry(c.x, c.y, c.width, c.height);
    expectPlacedAt(reset, c.expected);
  }
}

TEST_F(ButtonPlacementTest, CornerAnchoredBoxFollowsResizeUntouched) {
  Button closeBox(5, 5, 45, 20);
  closeBox.setAnchor(AnchorTopRight);
  expectPlacedAt(closeBox, {670, 455, 45, 20});
  // The close box's own window range at 720 x 480, in window coordinates.
  EXPECT_TRUE(closeBox.hitTest(670, 5));
  EXPECT_TRUE(closeBox.hitTest(715, 25));
  EXPECT_FALSE(closeBox.hitTest(669, 15));
  EXPECT_FALSE(closeBox.hitTest(716, 15));
  EXPECT_FALSE(closeBox.hitTest(690, 4));
  EXPECT_FALSE(closeBox.hitTest(690, 26));

  viewportWidth = 800;
  viewportHeight = 600;
  expectPlacedAt(closeBox, {750, 575, 45, 20});
}

TEST_F(ButtonPlacementTest, ClickableDecidesHitsVisibleDecidesDrawing) {
  Button box(10, 10, 40, 20);
  box.setAnchor(AnchorBottomLeft);
  box.setVisible(false);
  EXPECT_TRUE(box.hitTest(30, viewportHeight - 20));
  EXPECT_TRUE(drawnItems(box).empty());

  box.setVisible(true);
  box.setClickable(false);
  for (int x = 0; x <= 60; x += 5)
    for (int y = 0; y <= 40; y += 5) EXPECT_FALSE(box.hitTest(x, viewportHeight - y)) << x << "," << y;
  EXPECT_FALSE(drawnItems(box).empty());
}

}  // namespace

// A real window with the overlay's GL state, and ways to see what boxes draw, in window pixels.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <utility>
#include <vector>

#include "support/Feedback.h"
#include "support/TestWindow.h"

class Button;

class OverlayTest : public ::testing::Test {
 protected:
  void SetUp() override;

  TestWindow window;
};

// Window positions from feedback; 32-bit x86 GL can be off by the last bit of the float.
struct Point {
  float x, y;
  bool operator==(const Point& o) const { return std::fabs(x - o.x) < 1e-3f && std::fabs(y - o.y) < 1e-3f; }
};
inline std::ostream& operator<<(std::ostream& out, const Point& p) { return out << '(' << p.x << ", " << p.y << ')'; }
using Segment = std::pair<Point, Point>;

// What the box draws under a pixel projection of the current viewport size.
std::vector<FeedbackItem> drawnItems(const Button& button);
// Every line segment, whether GL reported it as a continuation or a reset.
std::vector<Segment> lineSegments(const std::vector<FeedbackItem>& items);
// Raster positions of the glyph bitmaps, in drawing order.
std::vector<Point> glyphPositions(const std::vector<FeedbackItem>& items);
// The outline loop of a box from its bottom-left corner, counter-clockwise.
std::vector<Segment> outline(float left, float bottom, float width, float height);

// Glyph lists that each draw a 1x1 bitmap and advance kTestGlyphAdvance pixels, so every
// byte leaves one bitmap in feedback. The list right after the 255 glyphs draws a point:
// it must never be called.
constexpr int kTestGlyphAdvance = 8;
int makeTestFont();

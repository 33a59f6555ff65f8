// A real window with the overlay's GL state, and ways to see what boxes draw, in window pixels.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <vector>

#include "support/Feedback.h"
#include "support/TestWindow.h"

class Button;

class OverlayTest : public ::testing::Test {
 protected:
  void SetUp() override;

  TestWindow window;
};

// Sets the viewport and the pixel projection to viewportWidth x viewportHeight, as the panel does.
void usePixelProjection();

std::vector<FeedbackItem> drawnItems(const Button& button);

// Window positions from feedback; 32-bit x86 GL can be off by the last bit of the float.
struct Point {
  float x, y;
  bool operator==(const Point& other) const {
    return std::fabs(x - other.x) < 1e-3f && std::fabs(y - other.y) < 1e-3f;
  }
};
inline std::ostream& operator<<(std::ostream& out, const Point& p) { return out << '(' << p.x << ", " << p.y << ')'; }

// Every line segment, whether GL reported it as a continuation or a reset.
std::vector<std::pair<Point, Point>> lineSegments(const std::vector<FeedbackItem>& items);

// Raster positions of the glyph bitmaps, in drawing order.
std::vector<Point> glyphPositions(const std::vector<FeedbackItem>& items);

// Glyph lists that each draw a 1x1 bitmap and advance kTestGlyphAdvance pixels, so every
// byte leaves one bitmap in feedback. The list right after the 255 glyphs draws a point:
// it must never be called.
constexpr int kTestGlyphAdvance = 8;
int makeTestFont();

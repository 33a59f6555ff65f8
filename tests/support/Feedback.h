// Runs drawing code in OpenGL feedback mode and returns what it emitted, in window coordinates.
#pragma once

#include <functional>
#include <vector>

struct FeedbackVertex {
  float x, y, z, r, g, b, a;
};

struct FeedbackItem {
  int token;  // GL_POLYGON_TOKEN, GL_LINE_TOKEN, GL_LINE_RESET_TOKEN, GL_POINT_TOKEN, GL_BITMAP_TOKEN, ...
  std::vector<FeedbackVertex> vertices;
};

std::vector<FeedbackItem> captureFeedback(const std::function<void()>& draw, int capacity = 1 << 20);

// Viewport and projection of one unit per pixel, origin at the bottom-left; identity modelview.
void usePixelProjection(int width, int height);

// Items of one token kind only, e.g. the raster positions of every glyph bitmap.
std::vector<FeedbackItem> itemsOfKind(const std::vector<FeedbackItem>& items, int token);

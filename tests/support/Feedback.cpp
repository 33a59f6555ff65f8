#include "support/Feedback.h"

#include <GL/gl.h>

std::vector<FeedbackItem> captureFeedback(const std::function<void()>& draw, int capacity) {
  std::vector<GLfloat> buffer(static_cast<size_t>(capacity));
  glFeedbackBuffer(capacity, GL_3D_COLOR, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint used = glRenderMode(GL_RENDER);
  std::vector<FeedbackItem> items;
  for (GLint at = 0; at < used;) {
    FeedbackItem item{static_cast<int>(buffer[at++]), {}};
    int count = 1;  // points, bitmaps and pixel rectangles
    if (item.token == GL_POLYGON_TOKEN) count = static_cast<int>(buffer[at++]);
    if (item.token == GL_LINE_TOKEN || item.token == GL_LINE_RESET_TOKEN) count = 2;
    for (; count > 0; --count, at += 7)
      item.vertices.push_back({buffer[at], buffer[at + 1], buffer[at + 2], buffer[at + 3], buffer[at + 4], buffer[at + 5], buffer[at + 6]});
    items.push_back(item);
  }
  return items;
}

std::vector<FeedbackItem> itemsOfKind(const std::vector<FeedbackItem>& items, int token) {
  std::vector<FeedbackItem> kept;
  for (const auto& item : items)
    if (item.token == token) kept.push_back(item);
  return kept;
}

void usePixelProjection(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, 0, height, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

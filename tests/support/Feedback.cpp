#include "support/Feedback.h"

#include <GL/gl.h>

namespace {

FeedbackVertex readVertex(const std::vector<GLfloat>& buffer, size_t& at) {
  FeedbackVertex v{buffer[at], buffer[at + 1], buffer[at + 2],
                   buffer[at + 3], buffer[at + 4], buffer[at + 5], buffer[at + 6]};
  at += 7;
  return v;
}

int verticesOf(int token) {
  switch (token) {
    case GL_POINT_TOKEN:
    case GL_BITMAP_TOKEN:
    case GL_DRAW_PIXEL_TOKEN:
    case GL_COPY_PIXEL_TOKEN:
      return 1;
    case GL_LINE_TOKEN:
    case GL_LINE_RESET_TOKEN:
      return 2;
    default:
      return 0;
  }
}

}  // namespace

std::vector<FeedbackItem> captureFeedback(const std::function<void()>& draw, int capacity) {
  std::vector<GLfloat> buffer(static_cast<size_t>(capacity));
  glFeedbackBuffer(capacity, GL_3D_COLOR, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint used = glRenderMode(GL_RENDER);

  std::vector<FeedbackItem> items;
  size_t at = 0;
  while (used > 0 && at < static_cast<size_t>(used)) {
    FeedbackItem item{static_cast<int>(buffer[at++]), {}};
    if (item.token == GL_PASS_THROUGH_TOKEN) {
      ++at;
      continue;
    }
    int count = item.token == GL_POLYGON_TOKEN ? static_cast<int>(buffer[at++]) : verticesOf(item.token);
    for (int i = 0; i < count; ++i) item.vertices.push_back(readVertex(buffer, at));
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

#include "ui/Button.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "platform/Platform.h"
#include "ui/Utf8Text.h"
#include "ui/Viewport.h"

namespace {

// Formatted texts are cut to this buffer: 255 characters and the terminator.
constexpr int formatBufferSize = 256;

// The text's first baseline sits this far below the top edge, later lines follow at the line pitch.
constexpr int textInset = 4;
constexpr int firstBaselineDrop = 12;

// This code would call the list after the font's last one.
constexpr unsigned char codeOutsideFont = platform::fontGlyphCount;

const unsigned char topColour[4] = {128, 128, 128, 128};
const unsigned char outlineColour[4] = {255, 255, 255, 128};
const unsigned char textColour[3] = {255, 255, 255};
const unsigned char fillColour[4] = {0, 100, 255, 200};

struct Placement {
  int left;
  int bottom;
};

// Left and bottom edge in overlay pixels (origin bottom-left), read from the current viewport.
Placement place(unsigned char anchor, int x, int y, int width, int height) {
  switch (anchor) {
    case AnchorTopLeft:
      return {x, viewportHeight - y - height};
    case AnchorTopRight:
      return {viewportWidth - x - width, viewportHeight - y - height};
    case AnchorBottomRight:
      return {viewportWidth - x - width, y};
    default:  // AnchorBottomLeft and any value outside the enumeration
      return {x, y};
  }
}

// Counter-clockwise on screen, so a filled one survives back-face culling.
void rectangle(GLenum mode, int left, int bottom, int right, int top) {
  glBegin(mode);
  glVertex2i(left, bottom);
  glVertex2i(right, bottom);
  glVertex2i(right, top);
  glVertex2i(left, top);
  glEnd();
}

}  // namespace

Button::Button() = default;

Button::Button(int x, int y, int width, int height) { setGeometry(x, y, width, height); }

void Button::setGeometry(int newX, int newY, int newWidth, int newHeight) {
  x = std::max(newX, 0);
  y = std::max(newY, 0);
  width = std::max(newWidth, 0);
  height = std::max(newHeight, 0);
}

void Button::setAnchor(Anchor newAnchor) { anchor = newAnchor; }

void Button::setVisible(bool newVisible) { visible = newVisible; }

bool Button::isVisible() const { return visible; }

void Button::setClickable(bool newClickable) { clickable = newClickable; }

bool Button::isClickable() const { return clickable; }

void Button::setColour(unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
  colour[0] = r;
  colour[1] = g;
  colour[2] = b;
  colour[3] = a;
}

const unsigned char* Button::getColour() const { return colour; }

void Button::setFont(int firstList) { font = firstList; }

void Button::setText(const char* format, ...) {
  if (!format) return;
  char buffer[formatBufferSize];
  va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  // An encoding error leaves the buffer undefined; keep the text as it was then.
  if (written < 0) return;
  text = buffer;
}

void Button::setPlainText(const std::string& newText) { text = newText; }

const char* Button::getText() const { return text.c_str(); }

void Button::setWrapping(bool newWrapping) { wrapping = newWrapping; }

int Button::heightOfLines() const {
  return oneLineHeight + std::max(static_cast<int>(lines().size()) - 1, 0) * linePitch;
}

void Button::setFill(double share) { fill = std::clamp(share, 0.0, 1.0); }

std::vector<std::string> Button::lines() const {
  const std::string shown = fontCodes(text);
  const size_t columns =
      wrapping ? static_cast<size_t>(std::max((width - 2 * textInset) / widestGlyph, 1)) : std::string::npos;
  std::vector<std::string> found;
  for (size_t start = 0; start <= shown.size();) {
    size_t end = shown.find('\n', start);
    if (end == std::string::npos) end = shown.size();
    std::string line;
    for (size_t i = start; i < end; ++i)
      if (static_cast<unsigned char>(shown[i]) != codeOutsideFont) line += shown[i];
    while (line.size() > columns) {
      const size_t space = line.rfind(' ', columns);
      const bool atSpace = space != std::string::npos && space > 0;
      found.push_back(line.substr(0, atSpace ? space : columns));
      line.erase(0, atSpace ? space + 1 : columns);  // the space that breaks the line is not shown
    }
    if (!line.empty()) found.push_back(line);
    start = end + 1;
  }
  return found;
}

bool Button::hitTest(int mouseX, int mouseY) const {
  if (!clickable) return false;
  const Placement at = place(anchor, x, y, width, height);
  const int mx = mouseX;
  const int my = viewportHeight - mouseY;
  return at.left <= mx && mx <= at.left + width && at.bottom <= my && my <= at.bottom + height;
}

void Button::draw() const {
  if (!visible) return;
  const Placement at = place(anchor, x, y, width, height);
  const int left = at.left;
  const int bottom = at.bottom;
  const int right = left + width;
  const int top = bottom + height;

  // Counter-clockwise on screen, so the body survives back-face culling.
  glBegin(GL_QUADS);
  glColor4ubv(colour);
  glVertex2i(left, bottom);
  glVertex2i(right, bottom);
  glColor4ubv(topColour);
  glVertex2i(right, top);
  glVertex2i(left, top);
  glEnd();

  if (fill > 0) {
    glColor4ubv(fillColour);
    rectangle(GL_QUADS, left, bottom, left + static_cast<int>(fill * width + 0.5), top);
  }

  glLineWidth(1.0f);
  glColor4ubv(outlineColour);
  rectangle(GL_LINE_LOOP, left, bottom, right, top);

  if (text.empty() || font == 0) return;

  int penY = top - firstBaselineDrop;
  for (const std::string& line : lines()) {
    // The raster position takes the current colour, so the colour comes first.
    glColor3ubv(textColour);
    glRasterPos2i(left + textInset, penY);
    glPushAttrib(GL_LIST_BIT);
    glListBase(static_cast<GLuint>(font));
    glCallLists(static_cast<GLsizei>(line.size()), GL_UNSIGNED_BYTE, line.data());
    glPopAttrib();
    penY -= linePitch;
  }
}

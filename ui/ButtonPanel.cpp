#include "ui/ButtonPanel.h"

#include <GL/gl.h>

#include <cassert>

#include "platform/InputCodes.h"
#include "platform/Platform.h"
#include "ui/Button.h"
#include "ui/Callback.h"
#include "ui/Viewport.h"

namespace {

// Hover tells it from a box's normal colour by the R byte alone.
constexpr unsigned char highlightColour[4] = {128, 128, 128, 128};

void paint(Button& button, const unsigned char (&colour)[4]) {
  button.setColour(colour[0], colour[1], colour[2], colour[3]);
}

}  // namespace

ButtonPanel::~ButtonPanel() { clear(); }

bool ButtonPanel::add(int id, Button* button) {
  assert(button);
  return buttons.emplace(id, button).second;
}

Button* ButtonPanel::get(int id) const {
  const auto found = buttons.find(id);
  return found == buttons.end() ? nullptr : found->second;
}

bool ButtonPanel::remove(int id) {
  const auto found = buttons.find(id);
  if (found == buttons.end()) return false;
  delete found->second;
  buttons.erase(found);
  return true;
}

void ButtonPanel::clear() {
  for (const auto& [id, button] : buttons) delete button;
  buttons.clear();
}

void ButtonPanel::setListener(Callback* newListener) { listener = newListener; }

void ButtonPanel::setVisible(bool newVisible) { visible = newVisible; }

bool ButtonPanel::isVisible() const { return visible; }

bool ButtonPanel::hover(int x, int y, unsigned /*flags*/) {
  if (!visible) return false;
  for (const auto& [id, button] : buttons) {
    const bool hit = button->hitTest(x, y);
    const unsigned char red = button->getColour()[0];
    if (hit && red == Button::normalColour[0]) {
      paint(*button, highlightColour);
      return true;
    }
    if (!hit && red == highlightColour[0]) {
      paint(*button, Button::normalColour);
      return true;
    }
  }
  return false;
}

bool ButtonPanel::click(int x, int y, unsigned flags) {
  if (!visible || !(flags & mouseFlags::left) || !listener) return false;
  for (const auto& [id, button] : buttons) {
    if (!button->hitTest(x, y)) continue;
    // The listener may clear the panel, deleting this box and the entry being walked:
    // nothing of either may be read once it returns.
    listener->call(id, button);
    return true;
  }
  return false;
}

void ButtonPanel::draw() const {
  if (!visible) return;
  // The boxes lie over the 3D picture whatever its depth; the picture itself stays.
  glClear(GL_DEPTH_BUFFER_BIT);
  // Both matrices are the overlay's for this pass only.
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, viewportWidth, 0, viewportHeight, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  // Ascending ids: where boxes overlap, the higher id ends on top.
  for (const auto& entry : buttons) entry.second->draw();
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

int ButtonPanel::createFont(int height, const char* faceName) {
  const GLuint base = glGenLists(platform::fontGlyphCount);
  if (base == 0) return 0;
  platform::buildFontGlyphs(base, height, faceName);
  return static_cast<int>(base);
}

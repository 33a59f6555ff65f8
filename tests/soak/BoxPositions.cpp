#include "BoxPositions.h"

#include <algorithm>

#include "ui/Button.h"
#include "ui/ButtonPanel.h"
#include "ui/Viewport.h"

namespace {

// Both screens' boxes hang 5 pixels from the top-right corner; file boxes 25 pixels apart.
constexpr int margin = 5;
constexpr int fileBoxWidth = 200;
constexpr int fileBoxHeight = 20;
constexpr int fileBoxPitch = 25;
constexpr int closeBoxWidth = 45;
constexpr int closeBoxHeight = 20;
// Narrower windows push the close box over the info box; clicks there still reach it, but a user
// sees it alone.
constexpr int infoBoxReach = 5 + 250;

int fileBoxTop(int id) { return margin + fileBoxPitch * (id - 1); }

}  // namespace

WindowPoint fileBoxCentre(int id) {
  return {viewportWidth - margin - fileBoxWidth / 2, fileBoxTop(id) + fileBoxHeight / 2};
}

WindowPoint closeBoxCentre() {
  return {viewportWidth - margin - closeBoxWidth / 2, margin + closeBoxHeight / 2};
}

bool fileBoxInReach(int id) {
  return viewportWidth >= margin + fileBoxWidth && viewportHeight > fileBoxTop(id) + fileBoxHeight;
}

bool closeBoxInReach() {
  return viewportWidth >= infoBoxReach + margin + closeBoxWidth &&
         viewportHeight > margin + closeBoxHeight;
}

WindowPoint windowHolding(int id) {
  return {std::max(viewportWidth, infoBoxReach + margin + closeBoxWidth + 1),
          std::max(viewportHeight, fileBoxTop(id) + fileBoxHeight + 1)};
}

int fileBoxId(const ButtonPanel& panel, const std::string& text) {
  for (int id = 1; const Button* box = panel.get(id); ++id)
    if (box->getText() == text) return id;
  return 0;
}

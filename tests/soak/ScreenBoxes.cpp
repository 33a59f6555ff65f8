#include "ScreenBoxes.h"

#include <algorithm>

#include "app/ZarvoApp.h"
#include "ui/Button.h"
#include "ui/ButtonPanel.h"
#include "ui/Viewport.h"

namespace {

// Both screens' boxes hang 5 pixels from the top-right corner; file boxes 25 pixels apart.
constexpr int margin = 5;
constexpr int boxHeight = 20;
constexpr int fileBoxWidth = 200;
constexpr int closeBoxWidth = 45;
// Narrower windows push the close box over the info box; clicks there still reach it, but a user
// sees it alone.
constexpr int infoBoxReach = 5 + 250;

int fileBoxTop(int id) { return margin + 25 * (id - 1); }

// Grows the window, where needed, to show file box id and the close box whole.
void makeRoom(ZarvoApp& app, int id) {
  const int width = std::max(viewportWidth, infoBoxReach + margin + closeBoxWidth + 1);
  const int height = std::max(viewportHeight, fileBoxTop(id) + boxHeight + 1);
  if (width != viewportWidth || height != viewportHeight) app.onResize(width, height);
}

}  // namespace

std::vector<std::string> shownPaths(const ButtonPanel& panel) {
  std::vector<std::string> shown;
  for (int id = 1; const Button* box = panel.get(id); ++id) shown.push_back(box->getText());
  return shown;
}

int fileBoxId(const ButtonPanel& panel, const std::string& text) {
  const std::vector<std::string> shown = shownPaths(panel);
  const auto at = std::find(shown.begin(), shown.end(), text);
  return at == shown.end() ? 0 : static_cast<int>(at - shown.begin()) + 1;
}

void clickFileBox(ZarvoApp& app, int id, unsigned flags) {
  makeRoom(app, id);
  app.onMouseUp(viewportWidth - margin - fileBoxWidth / 2, fileBoxTop(id) + boxHeight / 2, flags);
}

void clickCloseBox(ZarvoApp& app, unsigned flags) {
  makeRoom(app, 1);
  app.onMouseUp(viewportWidth - margin - closeBoxWidth / 2, margin + boxHeight / 2, flags);
}

#include "ScreenBoxes.h"

#include <algorithm>

#include "app/ZarvoApp.h"
#include "ui/Button.h"
#include "ui/Viewport.h"

namespace {

// Grows the window, where needed, to show file box id whole, and the close box clear of the
// 250-pixel info box (a narrower window puts it over the info box).
void makeRoom(ZarvoApp& app, int id) {
  const int width = std::max(viewportWidth, 306), height = std::max(viewportHeight, 25 * id + 1);
  if (width != viewportWidth || height != viewportHeight) app.onResize(width, height);
}

}  // namespace

std::vector<std::string> shownPaths(const ButtonPanel& panel) {
  std::vector<std::string> shown;
  for (int id = 1; const Button* box = panel.get(id); ++id) shown.push_back(box->getText());
  return shown;
}

// Boxes hang 5 pixels from the top-right corner: file boxes 200 x 20, 25 pixels apart; the close box 45 x 20.
void clickFileBox(ZarvoApp& app, int id, unsigned flags) {
  makeRoom(app, id);
  app.onMouseUp(viewportWidth - 105, 25 * id - 10, flags);
}

void clickCloseBox(ZarvoApp& app, unsigned flags) {
  makeRoom(app, 1);
  app.onMouseUp(viewportWidth - 27, 15, flags);
}

// The application object's life: start-up, teardown, and the focus and click handlers.
#include "app/ZarvoApp.h"

#include <GL/gl.h>

#include "platform/Platform.h"
#include "ui/Viewport.h"
#include "view/FixedGlState.h"

WindowHandlers* theApp = nullptr;

namespace {

constexpr unsigned char opaque = 255;
constexpr unsigned char translucent = 128;

constexpr int fontHeight = 12;
constexpr const char* fontFace = "Courier New";

}  // namespace

ZarvoApp::ZarvoApp() = default;

ZarvoApp::~ZarvoApp() {
  // The context goes before the members, so the model's list ends with it.
  if (windowOpen) platform::closeWindow();
}

bool ZarvoApp::create(const char* className, const char* windowName, int width, int height,
                      int colourBits) {
  platform::keepFreedMemory();
  doubleClickTime = std::chrono::milliseconds(platform::doubleClickTime());
  viewportWidth = width;
  viewportHeight = height;
  if (!platform::openWindow(className, windowName, width, height, colourBits)) return false;
  windowOpen = true;

  setFixedGlState(platform::workspaceColour());
  model.suitRenderer(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  callback.bind(this, &ZarvoApp::onButton);
  panel.setListener(&callback);
  fontBase = panel.createFont(fontHeight, fontFace);
  addHelpBox();
  buildScreen();
  platform::showWindow();
  render();
  return true;
}

void ZarvoApp::onFocus(bool focused) {
  platform::setOpacity(focused ? opaque : translucent);
  requestFrame();
}

void ZarvoApp::onMouseUp(int x, int y, unsigned flags) {
  const auto now = std::chrono::steady_clock::now();
  if (now < screenClickedAt + doubleClickTime) return;
  if (!help.click(x, y, flags) && !panel.click(x, y, flags)) return;
  // Every box that takes a click changes the screen, and so does the help that a click hides.
  screenClickedAt = now;
  requestFrame();
}

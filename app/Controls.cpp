// Keyboard, drag and wheel control of the camera.
#include "app/ZarvoApp.h"
#include "platform/InputCodes.h"
#include "view/CameraMath.h"

void ZarvoApp::onKeyDown(unsigned key) {
  if (!model.isLoaded()) return;
  switch (key) {
    case keys::left:
      rotateY += 5;
      break;
    case keys::right:
      rotateY -= 5;
      break;
    case keys::up:
      fov += 1.0f;
      break;
    case keys::down:
      fov -= 1.0f;
      break;
    case keys::w:
    case keys::a:
    case keys::s:
    case keys::d: {
      const PanOffset pan = panOffset(key, rotateZ, translateZ);
      translateX += pan.dx;
      translateY += pan.dy;
      break;
    }
    default:
      return;
  }
  requestFrame();
}

void ZarvoApp::onKeyUp(unsigned key) {
  switch (key) {
    case keys::space:
      panel.setVisible(!panel.isVisible());
      break;
    case keys::o:
      model.setShowAxes(!model.showAxes());
      break;
    case keys::f1:
    case keys::h:
      help.setVisible(!help.isVisible());
      break;
    default:
      return;
  }
  requestFrame();
}

void ZarvoApp::onMouseMove(int x, int y, unsigned flags) {
  if (model.isLoaded()) {
    const bool turning = (flags & mouseFlags::right) != 0;
    if (turning) {
      const Turn turn = dragTurn(lastMouseX, lastMouseY, x, y, rotateX, rotateZ);
      rotateX = turn.rotateX;
      rotateZ = turn.rotateZ;
    }
    lastMouseX = x;
    lastMouseY = y;
    if (turning) {
      requestFrame();
      return;
    }
  }
  if (panel.hover(x, y, flags)) requestFrame();
}

void ZarvoApp::onMouseWheel(int, int, unsigned, unsigned delta) {
  if (!model.isLoaded()) return;
  translateZ = wheelZoom(translateZ, delta);
  requestFrame();
}

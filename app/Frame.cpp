// Drawing one whole frame, asking for one, and the handlers that only resize or repaint.
#include <GL/gl.h>
#include <GL/glu.h>

#include "app/ZarvoApp.h"
#include "platform/Platform.h"
#include "ui/Button.h"
#include "ui/Viewport.h"

namespace {

// The mesh is scaled before it is translated: one view unit is 10000 mesh units.
constexpr float meshScale = 0.0001f;

constexpr const char* readoutFormat =
    "translate: %i, %i, %i\n   rotate: %i, %i, %i\nfov, clip: %.0f, %.0f, %.0f";

}  // namespace

void ZarvoApp::render() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const double aspect = static_cast<double>(viewportWidth) / static_cast<double>(viewportHeight);
  gluPerspective(fov, aspect, clipNear, clipFar);

  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glPushMatrix();
  glRotatef(static_cast<float>(rotateX), -1, 0, 0);
  glRotatef(static_cast<float>(rotateY), 0, -1, 0);
  glRotatef(static_cast<float>(rotateZ), 0, 0, -1);
  glTranslatef(static_cast<float>(translateX), static_cast<float>(translateY),
               static_cast<float>(translateZ));
  glScalef(meshScale, meshScale, meshScale);
  model.draw();
  glPopMatrix();

  if (model.isLoaded()) {
    if (Button* info = panel.get(infoBoxId)) {
      info->setText(readoutFormat, translateX, translateY, translateZ, rotateX, rotateY, rotateZ,
                    static_cast<double>(fov), static_cast<double>(clipNear),
                    static_cast<double>(clipFar));
    }
  }
  panel.draw();
  help.draw();
  platform::swapBuffers();
}

void ZarvoApp::onResize(int width, int height) {
  viewportWidth = width;
  // A minimised window reports height 0; the aspect ratio divides by it.
  viewportHeight = height == 0 ? 1 : height;
  glViewport(0, 0, viewportWidth, viewportHeight);
  requestFrame();
}

void ZarvoApp::requestFrame() {
  platform::requestFrame();
}

void ZarvoApp::onActivate(bool) {
  requestFrame();
}

void ZarvoApp::onTimer(unsigned) {
  requestFrame();
}

// One whole frame: projection, read-out, viewport, and how many frames each event draws.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support/RunningApp.h"
#include "support/SmxBytes.h"
#include "ui/Button.h"
#include "ui/Viewport.h"
#include "view/InputCodes.h"

namespace {

RunningApp* withTrack() {
  return new RunningApp([] { singleTriangleTrack().writeTo("smx/track.smx"); });
}

std::string readout(RunningApp& running) {
  Button* info = running.app.panel.get(ZarvoApp::infoBoxId);
  return info ? info->getText() : "<no info box>";
}

// The matrix gluPerspective makes, stored as GL keeps it (single precision).
void expectPerspective(double fov, double aspect, double zNear, double zFar) {
  GLdouble m[16];
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  const double half = fov / 2 * 3.14159265358979323846 / 180;
  const double cotangent = std::cos(half) / std::sin(half);
  EXPECT_FLOAT_EQ(static_cast<float>(m[0]), static_cast<float>(cotangent / aspect));
  EXPECT_FLOAT_EQ(static_cast<float>(m[5]), static_cast<float>(cotangent));
  EXPECT_FLOAT_EQ(static_cast<float>(m[10]), static_cast<float>(-(zFar + zNear) / (zFar - zNear)));
  EXPECT_FLOAT_EQ(static_cast<float>(m[11]), -1.0f);
  EXPECT_FLOAT_EQ(static_cast<float>(m[14]), static_cast<float>(-2 * zNear * zFar / (zFar - zNear)));
}

}  // namespace

TEST(Frame, ReadOutShowsTheCameraOfEachFrame) {
  std::unique_ptr<RunningApp> running(withTrack());
  ASSERT_TRUE(running->created);
  running->openFile(1);
  ASSERT_TRUE(running->app.model.isLoaded());
  running->app.render();
  EXPECT_EQ(readout(*running), "translate: 0, 0, -10000\n   rotate: 0, 0, 0\nfov, clip: 80, 1, 30000");

  running->app.fov = -3.0f;
  running->app.rotateZ = -10;
  running->app.panel.setVisible(false);
  running->app.render();
  EXPECT_EQ(readout(*running), "translate: 0, 0, -10000\n   rotate: 0, 0, -10\nfov, clip: -3, 1, 30000")
      << "the hidden info box is still kept up to date";
}

TEST(Frame, ProjectionUsesTheAspectOfTheClientArea) {
  RunningApp running;
  ASSERT_TRUE(running.created);
  // The overlay pass replaces the projection; with the overlay hidden the frame's own stays.
  running.app.panel.setVisible(false);
  running.app.onResize(720, 480);
  expectPerspective(80, 1.5, 1, 30000);
  running.app.onResize(1000, 700);
  expectPerspective(80, 1000.0 / 700.0, 1, 30000);

  running.app.onResize(0, 0);
  EXPECT_EQ(viewportWidth, 0);
  EXPECT_EQ(viewportHeight, 1);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 0);
  EXPECT_EQ(viewport[3], 1);
}

TEST(Frame, EachRepaintEventDrawsExactlyOneFrame) {
  RunningApp running;
  ASSERT_TRUE(running.created);
  ZarvoApp& app = running.app;
  EXPECT_EQ(running.framesDuring([&] { app.onActivate(true); }), 1u);
  EXPECT_EQ(running.framesDuring([&] { app.onActivate(false); }), 1u);
  EXPECT_EQ(running.framesDuring([&] { app.onResize(640, 400); }), 1u);
  EXPECT_EQ(running.framesDuring([&] { app.onResize(0, 0); }), 1u);
  EXPECT_EQ(running.framesDuring([&] { app.onTimer(42); }), 1u);
  EXPECT_EQ(running.framesDuring([&] { app.onFocus(false); }), 1u);
}

TEST(Frame, WithoutAMeshCameraInputChangesNothingAndDrawsNothing) {
  RunningApp running;
  ASSERT_TRUE(running.created);
  ZarvoApp& app = running.app;
  app.onMouseMove(10, 10, 0);
  const auto frames = running.framesDuring([&] {
    for (unsigned key : {keys::left, keys::right, keys::up, keys::down, keys::w, keys::a, keys::s, keys::d})
      app.onKeyDown(key);
    app.onMouseWheel(0, 0, 0, 120);
    app.onMouseWheel(0, 0, 0, 65416);
    app.onMouseMove(300, 300, mouseFlags::right);
  });
  EXPECT_EQ(frames, 0u);
  EXPECT_EQ(app.translateX, 0);
  EXPECT_EQ(app.translateY, 0);
  EXPECT_EQ(app.translateZ, 0);
  EXPECT_EQ(app.rotateX, 0);
  EXPECT_EQ(app.rotateY, 0);
  EXPECT_EQ(app.rotateZ, 0);
  EXPECT_EQ(app.fov, 80.0f);
  EXPECT_EQ(app.lastMouseX, 0) << "no mesh, no recorded position";

  // The two toggles work with or without a mesh.
  EXPECT_EQ(running.framesDuring([&] { app.onKeyUp(keys::space); }), 1u);
  EXPECT_FALSE(app.panel.isVisible());
  EXPECT_EQ(running.framesDuring([&] { app.onKeyUp(keys::o); }), 1u);
  EXPECT_TRUE(app.model.showAxes());
  EXPECT_EQ(running.framesDuring([&] { app.onKeyUp(keys::w); }), 0u);
}

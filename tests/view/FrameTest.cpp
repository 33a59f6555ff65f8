// One whole frame (projection, read-out, viewport) and when the message loop draws it.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <string>
#include <thread>

#include "platform/Platform.h"
#include "platform/WindowInput.h"
#include "support/RunningApp.h"
#include "support/SmxBytes.h"
#include "ui/Button.h"
#include "ui/Viewport.h"

namespace {

void writeTrack() { singleTriangleTrack().writeTo("smx/track.smx"); }

// Runs the real message loop until it has been idle for a while.
void runLoopUntilIdle(platform::WindowInput& input) {
  std::thread ender([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    input.endLoop();
  });
  platform::runMessageLoop();
  ender.join();
}

}  // namespace

TEST(Frame, ResizeSetsTheViewportAndTheProjectionsAspect) {
  RunningApp running;
  ZarvoApp& app = running.app;
  // The overlay pass replaces the projection; with the overlay hidden the frame's own stays.
  app.panel.setVisible(false);
  for (const auto& size : {std::pair{720, 480}, std::pair{1000, 700}}) {
    EXPECT_EQ(running.framesRequestedDuring([&] { app.onResize(size.first, size.second); }), 1u);
    app.render();  // its projection is the one gluPerspective makes of the window's aspect
    std::array<GLdouble, 16> drawn, expected;
    glGetDoublev(GL_PROJECTION_MATRIX, drawn.data());
    glLoadIdentity();
    gluPerspective(80, static_cast<double>(size.first) / size.second, 1, 30000);
    glGetDoublev(GL_PROJECTION_MATRIX, expected.data());
    EXPECT_EQ(drawn, expected);
  }
  app.onResize(0, 0);
  EXPECT_EQ(viewportHeight, 1) << "a minimised window keeps a height to divide by";
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 0);
  EXPECT_EQ(viewport[3], 1);
  for (auto repaint : {+[](ZarvoApp& a) { a.onActivate(false); }, +[](ZarvoApp& a) { a.onTimer(42); },
                       +[](ZarvoApp& a) { a.onFocus(false); }})
    EXPECT_EQ(running.framesRequestedDuring([&] { repaint(app); }), 1u);
}

// A burst of key-downs queued faster than frames are drawn: every one moves the camera,
// and the one frame comes after the last; a single key-down gets its frame too.
TEST(Frame, QueuedInputIsAllHandledBeforeItsOneFrameWhichShowsTheCamera) {
  RunningApp running(writeTrack);
  running.openFile(1);
  platform::WindowInput input;
  runLoopUntilIdle(input);  // the start-up events and their frame
  for (int burst : {20, 1}) {
    running.app.panel.setVisible(burst == 20);
    running.app.calls.clear();
    for (int i = 0; i < burst; ++i) input.keyDown('W');
    runLoopUntilIdle(input);
    std::vector<std::string> order;
    for (const auto& call : running.app.calls)
      if (call.handler == "onKeyDown" || call.handler == "render") order.push_back(call.handler);
    std::vector<std::string> expected(burst, "onKeyDown");
    expected.push_back("render");
    EXPECT_EQ(order, expected) << "burst of " << burst;
  }
  EXPECT_EQ(running.app.translateY, -2100) << "one step per key-down";
  EXPECT_STREQ(running.app.panel.get(ZarvoApp::infoBoxId)->getText(),
               "translate: 0, -2100, -10000\n   rotate: 0, 0, 0\nfov, clip: 80, 1, 30000")
      << "the read-out of the last frame, kept up to date with the overlay hidden";
}

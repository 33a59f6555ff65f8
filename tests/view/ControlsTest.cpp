// The camera handlers on the running app, with a track loaded and without one.
#include <gtest/gtest.h>

#include <array>

#include "support/RunningApp.h"
#include "support/SmxBytes.h"
#include "ui/Button.h"
#include "view/InputCodes.h"

namespace {

// translateX, translateY, translateZ, rotateX, rotateY, rotateZ, fov
using Camera = std::array<int, 7>;

Camera cameraOf(const ZarvoApp& a) {
  return {a.translateX, a.translateY, a.translateZ, a.rotateX, a.rotateY, a.rotateZ, static_cast<int>(a.fov)};
}

}  // namespace

// Each step runs on the camera the previous one left; without a track the camera stays as built, and
// only the overlay and axes toggles ask for a frame.
TEST(Controls, EachInputStepsTheCameraWithATrackAndAsksForAFrame) {
  const struct {
    const char* name;
    void (*input)(ZarvoApp&);
    Camera withTrack;
    size_t frames;
    bool evenWithoutTrack = false;
  } steps[] = {
      {"left", [](ZarvoApp& a) { a.onKeyDown(keys::left); }, {0, 0, -10000, 0, 5, 0, 80}, 1},
      {"right", [](ZarvoApp& a) { a.onKeyDown(keys::right); }, {0, 0, -10000, 0, 0, 0, 80}, 1},
      {"up", [](ZarvoApp& a) { a.onKeyDown(keys::up); }, {0, 0, -10000, 0, 0, 0, 81}, 1},
      {"down", [](ZarvoApp& a) { a.onKeyDown(keys::down); }, {0, 0, -10000, 0, 0, 0, 80}, 1},
      {"W", [](ZarvoApp& a) { a.onKeyDown(keys::w); }, {0, -100, -10000, 0, 0, 0, 80}, 1},
      {"D", [](ZarvoApp& a) { a.onKeyDown(keys::d); }, {-100, -100, -10000, 0, 0, 0, 80}, 1},
      {"A", [](ZarvoApp& a) { a.onKeyDown(keys::a); }, {0, -100, -10000, 0, 0, 0, 80}, 1},
      {"S", [](ZarvoApp& a) { a.onKeyDown(keys::s); }, {0, 0, -10000, 0, 0, 0, 80}, 1},
      {"Q does nothing", [](ZarvoApp& a) { a.onKeyDown(0x51); }, {0, 0, -10000, 0, 0, 0, 80}, 0},
      {"wheel away", [](ZarvoApp& a) { a.onMouseWheel(5, 5, 0, 120); }, {0, 0, -9000, 0, 0, 0, 80}, 1},
      {"wheel back", [](ZarvoApp& a) { a.onMouseWheel(5, 5, 0, 65416); }, {0, 0, -10000, 0, 0, 0, 80}, 1},
      {"plain move", [](ZarvoApp& a) { a.onMouseMove(100, 100, 0); }, {0, 0, -10000, 0, 0, 0, 80}, 0},
      {"right drag", [](ZarvoApp& a) { a.onMouseMove(110, 50, mouseFlags::right); },
       {0, 0, -10000, 50, 0, -10, 80}, 1},
      {"Space", [](ZarvoApp& a) { a.onKeyUp(keys::space); }, {0, 0, -10000, 50, 0, -10, 80}, 1, true},
      {"O", [](ZarvoApp& a) { a.onKeyUp(keys::o); }, {0, 0, -10000, 50, 0, -10, 80}, 1, true},
      {"W let go", [](ZarvoApp& a) { a.onKeyUp(keys::w); }, {0, 0, -10000, 50, 0, -10, 80}, 0, true},
  };
  for (bool loaded : {true, false}) {
    RunningApp running([] { singleTriangleTrack().writeTo("smx/track.smx"); });
    ASSERT_TRUE(running.created);
    if (loaded) running.openFile(1);
    const Camera unloaded = cameraOf(running.app);
    for (const auto& step : steps) {
      const size_t frames = running.framesRequestedDuring([&] { step.input(running.app); });
      EXPECT_EQ(frames, loaded || step.evenWithoutTrack ? step.frames : 0u) << step.name;
      EXPECT_EQ(cameraOf(running.app), loaded ? step.withTrack : unloaded) << step.name;
    }
  }
}

TEST(Controls, DragMeasuresFromTheLastPositionSeenWithATrackAndNeverHighlights) {
  RunningApp running([] { singleTriangleTrack().writeTo("smx/track.smx"); });
  ZarvoApp& app = running.app;
  running.openFile(1);
  app.onMouseMove(50, 60, 0);
  running.openFile(ZarvoApp::closeBoxId);
  app.onMouseMove(400, 400, 0);
  running.openFile(1);
  app.onMouseMove(60, 60, mouseFlags::right);
  EXPECT_EQ(app.rotateZ, -10) << "measured from 50, not from 400";

  // The close box sits 5 pixels from the top right corner: x 670..715, y 5..25.
  Button* close = app.panel.get(ZarvoApp::closeBoxId);
  app.onMouseMove(690, 15, mouseFlags::right);
  EXPECT_EQ(close->getColour()[0], 0);
  EXPECT_EQ(running.framesRequestedDuring([&] { app.onMouseMove(690, 15, 0); }), 1u);
  EXPECT_EQ(close->getColour()[0], 128) << "a plain move highlights it";
}

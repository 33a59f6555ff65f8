// The camera handlers on the running app with a loaded track.
#include <gtest/gtest.h>

#include <memory>

#include "support/RunningApp.h"
#include "support/SmxBytes.h"
#include "ui/Button.h"
#include "view/InputCodes.h"

namespace {

class Controls : public ::testing::Test {
 protected:
  void SetUp() override {
    running = std::make_unique<RunningApp>([] { singleTriangleTrack().writeTo("smx/track.smx"); });
    ASSERT_TRUE(running->created);
    running->openFile(1);
    ASSERT_TRUE(app().model.isLoaded());
  }
  ZarvoApp& app() { return running->app; }

  std::unique_ptr<RunningApp> running;
};

}  // namespace

TEST_F(Controls, KeysStepTheCameraOneFramePerPress) {
  const struct {
    unsigned key;
    int rotateY;
    float fov;
    int translateX, translateY;
  } presses[] = {
      {keys::left, 5, 80, 0, 0},    {keys::left, 10, 80, 0, 0}, {keys::right, 5, 80, 0, 0},
      {keys::up, 5, 81, 0, 0},      {keys::down, 5, 80, 0, 0},  {keys::down, 5, 79, 0, 0},
      {keys::w, 5, 79, 0, -100},    {keys::w, 5, 79, 0, -200},  {keys::d, 5, 79, -100, -200},
      {keys::a, 5, 79, 0, -200},    {keys::s, 5, 79, 0, -100},
  };
  for (const auto& press : presses) {
    EXPECT_EQ(running->framesDuring([&] { app().onKeyDown(press.key); }), 1u) << press.key;
    EXPECT_EQ(app().rotateY, press.rotateY) << press.key;
    EXPECT_EQ(app().fov, press.fov) << press.key;
    EXPECT_EQ(app().translateX, press.translateX) << press.key;
    EXPECT_EQ(app().translateY, press.translateY) << press.key;
    EXPECT_EQ(app().translateZ, -10000) << "panning never changes the height";
  }
  EXPECT_EQ(running->framesDuring([&] { app().onKeyDown(0x51); }), 0u) << "Q does nothing";
}

TEST_F(Controls, PanCloseToTheGroundAtAnAngleMovesNothingButStillDraws) {
  app().translateZ = -10;
  app().rotateZ = 45;
  for (unsigned key : {keys::w, keys::a, keys::s, keys::d})
    EXPECT_EQ(running->framesDuring([&] { app().onKeyDown(key); }), 1u);
  EXPECT_EQ(app().translateX, 0);
  EXPECT_EQ(app().translateY, 0);
}

TEST_F(Controls, WheelStopsAtBothEndsButStillDraws) {
  app().translateZ = -10;
  EXPECT_EQ(running->framesDuring([&] { app().onMouseWheel(5, 5, 0, 120); }), 1u);
  EXPECT_EQ(app().translateZ, -10);
  app().translateZ = -20000;
  EXPECT_EQ(running->framesDuring([&] { app().onMouseWheel(5, 5, 0, 65416); }), 1u);
  EXPECT_EQ(app().translateZ, -20000);
  app().onMouseWheel(5, 5, 0, 240);
  EXPECT_EQ(app().translateZ, -19000) << "one step per message";
}

TEST_F(Controls, RightDragTurnsFromThePreviousPositionAndShowsIt) {
  app().onMouseMove(100, 100, 0);
  EXPECT_EQ(running->framesDuring([&] { app().onMouseMove(110, 50, mouseFlags::right); }), 1u);
  EXPECT_EQ(app().rotateZ, -10);
  EXPECT_EQ(app().rotateX, 50);
  EXPECT_NE(std::string(app().panel.get(ZarvoApp::infoBoxId)->getText()).find("rotate: 50, 0, -10"),
            std::string::npos);
  EXPECT_EQ(app().translateZ, -10000) << "turning never moves the eye";
}

TEST_F(Controls, FirstDragAfterALoadMeasuresFromThePositionLastSeenWithAMesh) {
  app().onMouseMove(50, 60, 0);
  running->openFile(ZarvoApp::closeBoxId);
  ASSERT_FALSE(app().model.isLoaded());
  app().onMouseMove(400, 400, 0);
  EXPECT_EQ(app().lastMouseX, 50) << "not recorded without a mesh";
  running->openFile(1);
  app().onMouseMove(60, 60, mouseFlags::right);
  EXPECT_EQ(app().rotateZ, -10);
}

TEST_F(Controls, DraggingOverABoxLeavesItsHighlightAlone) {
  Button* close = app().panel.get(ZarvoApp::closeBoxId);
  ASSERT_NE(close, nullptr);
  // The close box sits 5 pixels from the top right corner: x 670..715, y 5..25.
  app().onMouseMove(690, 15, mouseFlags::right);
  EXPECT_EQ(close->getColour()[0], 0);
  app().onMouseMove(690, 15, 0);
  EXPECT_EQ(close->getColour()[0], 128) << "a plain move highlights it";
}

// The camera arithmetic behind W/A/S/D, the wheel and the right-button drag.
#include <gtest/gtest.h>

#include "view/CameraMath.h"
#include "view/InputCodes.h"

TEST(CameraMath, PanTableAtFullStep) {
  struct Row {
    int rotateZ;
    PanOffset w, a, s, d;
  };
  const Row table[] = {
      {0, {0, -100}, {100, 0}, {0, 100}, {-100, 0}},
      {30, {50, -86}, {86, 49}, {-50, 86}, {-86, -49}},
      {45, {70, -70}, {70, 70}, {-70, 70}, {-70, -70}},
      {90, {100, 0}, {0, 100}, {-100, 0}, {0, -100}},
      {-10, {-17, -98}, {98, -17}, {17, 98}, {-98, 17}},
  };
  for (const auto& row : table) {
    const struct {
      unsigned key;
      PanOffset expected;
    } presses[] = {{keys::w, row.w}, {keys::a, row.a}, {keys::s, row.s}, {keys::d, row.d}};
    for (const auto& press : presses) {
      const PanOffset got = panOffset(press.key, row.rotateZ, -10000);
      EXPECT_EQ(got.dx, press.expected.dx) << "rotateZ " << row.rotateZ << " key " << press.key;
      EXPECT_EQ(got.dy, press.expected.dy) << "rotateZ " << row.rotateZ << " key " << press.key;
    }
  }
}

TEST(CameraMath, PanStepShrinksCloseToTheGround) {
  const struct {
    int translateZ, step;
  } table[] = {{-20000, 100}, {-1001, 100}, {-1000, 100}, {-999, 99}, {-100, 10}, {-19, 1}, {-10, 1}};
  for (const auto& row : table) EXPECT_EQ(panStep(row.translateZ), row.step) << row.translateZ;
  // At an angle a step of 1 truncates to nothing.
  EXPECT_EQ(panOffset(keys::w, 45, -10).dx, 0);
}

TEST(CameraMath, WheelLadderSteps) {
  const struct {
    int from, zoomIn, zoomOut;
  } table[] = {{-20000, -19000, -20000}, {-10000, -9000, -11000}, {-2000, -1000, -3000},
               {-1000, -900, -2000},     {-200, -100, -300},      {-100, -90, -200},
               {-20, -10, -30},          {-10, -10, -20}};
  for (const auto& row : table) {
    EXPECT_EQ(wheelZoom(row.from, 120), row.zoomIn) << row.from;
    EXPECT_EQ(wheelZoom(row.from, 65416), row.zoomOut) << row.from;
  }
  // One step per message, whatever its size; zero counts as zooming in.
  EXPECT_EQ(wheelZoom(-10000, 240), -9000);
  EXPECT_EQ(wheelZoom(-10000, 1), -9000);
  EXPECT_EQ(wheelZoom(-10000, 0), -9000);
  EXPECT_EQ(wheelZoom(-10000, 65535), -11000);
  EXPECT_EQ(wheelZoom(-10000, 32768), -11000);
}

TEST(CameraMath, DragTurnsOneDegreePerPixel) {
  const struct {
    const char* name;
    int lastX, lastY, x, y, rotateX, rotateZ;
    Turn expected;
  } table[] = {
      {"right 10 from heading 0", 100, 100, 110, 100, 0, 0, {0, -10}},
      {"left 30", 100, 100, 70, 100, 0, 0, {0, 30}},
      {"remainder before the clamp", 0, 300, 0, 100, 170, 0, {10, 0}},
      {"down at 0 stays 0", 0, 100, 0, 150, 0, 0, {0, 0}},
      {"up stops at 180", 0, 300, 0, 100, 90, 0, {180, 0}},
      {"heading keeps its sign", 0, 0, 400, 0, 0, -10, {0, -50}},
      {"heading wraps at 360", 10, 0, 0, 0, 0, 355, {0, 5}},
      {"heading wraps at -360", 0, 0, 10, 0, 0, -355, {0, -5}},
  };
  for (const auto& row : table) {
    const Turn got = dragTurn(row.lastX, row.lastY, row.x, row.y, row.rotateX, row.rotateZ);
    EXPECT_EQ(got.rotateX, row.expected.rotateX) << row.name;
    EXPECT_EQ(got.rotateZ, row.expected.rotateZ) << row.name;
  }
}

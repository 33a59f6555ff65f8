// The camera arithmetic behind W/A/S/D, the wheel and the right-button drag.
#include <gtest/gtest.h>

#include <utility>

#include "platform/InputCodes.h"
#include "view/CameraMath.h"

TEST(CameraMath, PanTableAndItsStepCloseToTheGround) {
  const struct {
    int rotateZ;
    std::pair<int, int> w, a, s, d;
  } table[] = {
      {30, {50, -86}, {86, 49}, {-50, 86}, {-86, -49}}, {45, {70, -70}, {70, 70}, {-70, 70}, {-70, -70}},
      {-10, {-17, -98}, {98, -17}, {17, 98}, {-98, 17}},  // headings 0 and 90: the app's controls table
  };
  for (const auto& row : table) {
    const std::pair<unsigned, std::pair<int, int>> presses[] = {{keys::w, row.w}, {keys::a, row.a}, {keys::s, row.s},
                                                                {keys::d, row.d}};
    for (const auto& [key, expected] : presses) {
      const PanOffset got = panOffset(key, row.rotateZ, -10000);
      EXPECT_EQ(std::pair(got.dx, got.dy), expected) << "rotateZ " << row.rotateZ << " key " << key;
    }
  }
  const std::pair<int, int> steps[] = {{-20000, 100}, {-1001, 100}, {-1000, 100}, {-999, 99},
                                       {-100, 10},    {-19, 1},     {-10, 1}};
  for (const auto& [translateZ, step] : steps) EXPECT_EQ(panStep(translateZ), step) << translateZ;
  EXPECT_EQ(panOffset(keys::w, 45, -10).dx, 0) << "at an angle a step of 1 truncates to nothing";
}

TEST(CameraMath, WheelLadderOneStepPerMessage) {
  const struct {
    int from, zoomIn, zoomOut;
  } table[] = {{-20000, -19000, -20000}, {-10000, -9000, -11000}, {-2000, -1000, -3000}, {-1000, -900, -2000},
               {-200, -100, -300},       {-100, -90, -200},       {-20, -10, -30},        {-10, -10, -20}};
  for (const auto& row : table) {
    EXPECT_EQ(wheelZoom(row.from, 120), row.zoomIn) << row.from;
    EXPECT_EQ(wheelZoom(row.from, 65416), row.zoomOut) << row.from;
  }
  // Whatever the distance; zero counts as zooming in, the top half of 16 bits as out.
  for (unsigned delta : {240u, 1u, 0u}) EXPECT_EQ(wheelZoom(-10000, delta), -9000) << delta;
  for (unsigned delta : {65535u, 32768u}) EXPECT_EQ(wheelZoom(-10000, delta), -11000) << delta;
}

TEST(CameraMath, DragTurnsOneDegreePerPixel) {
  const struct {
    int lastX, lastY, x, y, rotateX, rotateZ;
    std::pair<int, int> expected;  // rotateX, rotateZ
  } table[] = {
      {0, 300, 0, 100, 170, 0, {10, 0}},    // the remainder of 360 comes before the clamp
      {0, 100, 0, 150, 0, 0, {0, 0}},       {0, 300, 0, 100, 90, 0, {180, 0}},  // tilt stops at 0 and 180
      {0, 0, 400, 0, 0, -10, {0, -50}},     // the heading keeps its sign
      {10, 0, 0, 0, 0, 355, {0, 5}},        {0, 0, 10, 0, 0, -355, {0, -5}},  // and wraps at 360 both ways
  };
  for (const auto& row : table) {
    const Turn got = dragTurn(row.lastX, row.lastY, row.x, row.y, row.rotateX, row.rotateZ);
    EXPECT_EQ(std::pair(got.rotateX, got.rotateZ), row.expected) << &row - table;
  }
}

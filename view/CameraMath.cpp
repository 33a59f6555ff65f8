#include "view/CameraMath.h"

#include <cmath>
#include <cstdint>

#include "platform/InputCodes.h"

namespace {

// Degrees to radians, with the constant the pan table was measured with (not full double pi/180).
constexpr double radiansPerDegree = 0.017453292519943;

constexpr int nearestZoom = -10;
constexpr int farthestZoom = -20000;
constexpr int steepestTilt = 180;

int zoomOutStep(int z) {
  if (z > -100) return 10;
  if (z > -1000) return 100;
  return 1000;
}

int zoomInStep(int z) {
  if (z >= -100) return 10;
  if (z >= -1000) return 100;
  return 1000;
}

}  // namespace

int panStep(int translateZ) {
  return translateZ < -1000 ? 100 : -translateZ / 10;
}

PanOffset panOffset(unsigned key, int rotateZ, int translateZ) {
  const bool alongHeading = key == keys::w || key == keys::s;
  const int degrees = alongHeading ? rotateZ - 90 : rotateZ;
  const double radians = degrees * radiansPerDegree;
  const int d = panStep(translateZ);
  const int dx = static_cast<int>(std::cos(radians) * d);
  const int dy = static_cast<int>(std::sin(radians) * d);
  const bool forwardOrLeft = key == keys::w || key == keys::a;
  return forwardOrLeft ? PanOffset{dx, dy} : PanOffset{-dx, -dy};
}

int wheelZoom(int translateZ, unsigned delta) {
  const auto distance = static_cast<std::int16_t>(static_cast<std::uint16_t>(delta));
  if (distance < 0) {
    const int z = translateZ - zoomOutStep(translateZ);
    return z < farthestZoom ? farthestZoom : z;
  }
  const int z = translateZ + zoomInStep(translateZ);
  return z > nearestZoom ? nearestZoom : z;
}

Turn dragTurn(int lastX, int lastY, int x, int y, int rotateX, int rotateZ) {
  const int heading = (lastX + rotateZ - x) % 360;
  const int tilt = (lastY + rotateX - y) % 360;
  int clamped = tilt >= 0 ? tilt : 0;
  if (clamped > steepestTilt) clamped = steepestTilt;
  return {clamped, heading};
}

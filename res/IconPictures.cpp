#include "res/IconPictures.h"

#include <cmath>

const int iconSizes[3] = {16, 32, 48};

namespace {

constexpr std::uint32_t transparent = 0x00000000;
constexpr std::uint32_t grass = 0xFF2E8B3A;
constexpr std::uint32_t grassEdge = 0xFF1F5E27;
constexpr std::uint32_t asphalt = 0xFF3A3D42;
constexpr std::uint32_t kerbRed = 0xFFD23228;
constexpr std::uint32_t kerbWhite = 0xFFF2F2F2;
constexpr std::uint32_t startLine = 0xFFFFFFFF;

// Signed distance from (u, v) to a rounded rectangle of half-size (w, h) and corner radius r.
double roundedRectDistance(double u, double v, double w, double h, double r) {
  const double qx = std::fabs(u) - (w - r);
  const double qy = std::fabs(v) - (h - r);
  const double outside = std::hypot(std::fmax(qx, 0.0), std::fmax(qy, 0.0));
  return outside + std::fmin(std::fmax(qx, qy), 0.0) - r;
}

// A circuit seen from above: a looped track with a chicane pinched into its top straight,
// red and white kerbs on the inside, a start line on the bottom straight, on a grass tile.
std::uint32_t circuitPixel(double u, double v) {
  const double tile = roundedRectDistance(u, v, 0.96, 0.96, 0.22);
  if (tile > 0) return transparent;
  if (tile > -0.06) return grassEdge;

  const double chicane = 0.18 * std::exp(-u * u * 18.0) * (v > 0 ? 1.0 : 0.0);
  const double track = std::fabs(roundedRectDistance(u, v + chicane, 0.66, 0.56, 0.34));
  const double halfWidth = 0.13;
  if (track > halfWidth) return grass;
  const bool onStartLine = v < -0.3 && std::fabs(u + 0.15) < 0.05;
  if (onStartLine) return startLine;
  if (track > halfWidth - 0.05) {
    const bool redStripe = static_cast<int>(std::floor((u + v) * 8.0)) % 2 == 0;
    return redStripe ? kerbRed : kerbWhite;
  }
  return asphalt;
}

}  // namespace

std::vector<std::uint32_t> iconPicture(int size) {
  std::vector<std::uint32_t> pixels(static_cast<size_t>(size) * size);
  for (int row = 0; row < size; ++row) {
    for (int column = 0; column < size; ++column) {
      // Pixel centres in -1..1, y up, so the picture reads like the track seen from above.
      const double u = (column + 0.5) / size * 2.0 - 1.0;
      const double v = 1.0 - (row + 0.5) / size * 2.0;
      pixels[static_cast<size_t>(row) * size + column] = circuitPixel(u, v);
    }
  }
  return pixels;
}

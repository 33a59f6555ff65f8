#include "Scenery.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double twoPi = 6.283185307179586;
constexpr int distanceSamples = 1024;
constexpr double distanceCell = 1.0e6;

constexpr double terrainLevel = -300000;  // well above the ground plane, well below the road
constexpr double terrainRelief = 130000;
constexpr double lakeLevel = -430000;

constexpr Colour mownGrass{92, 150, 68};
constexpr Colour water{58, 98, 148};
constexpr Colour fieldColours[] = {
    {104, 150, 72}, {86, 132, 60}, {196, 178, 108}, {128, 100, 70}, {150, 160, 84}, {74, 118, 56},
};

Colour shaded(Colour c, double factor) {
  auto scale = [factor](std::uint8_t v) { return static_cast<std::uint8_t>(std::clamp(v * factor, 0.0, 255.0)); };
  return {scale(c.red), scale(c.green), scale(c.blue)};
}

}  // namespace

TrackDistance::TrackDistance(const Centerline& line, const Area& area)
    : area(area),
      columns(static_cast<int>((area.maxX - area.minX) / distanceCell) + 2),
      rows(static_cast<int>((area.maxY - area.minY) / distanceCell) + 2) {
  std::vector<TrackFrame> samples;
  for (int i = 0; i < distanceSamples; ++i) samples.push_back(line.at(line.length() * i / distanceSamples));
  values.resize(std::size_t(columns) * rows);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const double x = area.minX + c * distanceCell, y = area.minY + r * distanceCell;
      double nearest = std::numeric_limits<double>::max();
      for (const TrackFrame& f : samples) nearest = std::min(nearest, (x - f.x) * (x - f.x) + (y - f.y) * (y - f.y));
      values[std::size_t(r) * columns + c] = std::sqrt(nearest);
    }
  }
}

double TrackDistance::at(double x, double y) const {
  const double u = std::clamp((x - area.minX) / distanceCell, 0.0, columns - 1.001);
  const double v = std::clamp((y - area.minY) / distanceCell, 0.0, rows - 1.001);
  const int c = static_cast<int>(u), r = static_cast<int>(v);
  const double fu = u - c, fv = v - r;
  const double* row0 = &values[std::size_t(r) * columns + c];
  const double* row1 = row0 + columns;
  return (row0[0] * (1 - fu) + row0[1] * fu) * (1 - fv) + (row1[0] * (1 - fu) + row1[1] * fu) * fv;
}

Scenery::Scenery(Random& random, const Area& area, const TrackDistance& distance, double roadside)
    : distance(distance), roadside(roadside) {
  for (int k = 0; k < 4; ++k) {
    const double direction = random.uniform(0, twoPi);
    const double wavelength = random.uniform(1.5e7, 6e7);
    waveX[k] = std::cos(direction) * twoPi / wavelength;
    waveY[k] = std::sin(direction) * twoPi / wavelength;
    wavePhase[k] = random.uniform(0, twoPi);
  }
  fieldAngle = random.uniform(0, twoPi);
  fieldSeed = random.uniform(0, 1000);

  // The lake goes to the spot, of a few tried, that lies furthest from the track.
  double best = 0;
  for (int attempt = 0; attempt < 40; ++attempt) {
    const double x = random.uniform(area.minX * 0.8, area.maxX * 0.8);
    const double y = random.uniform(area.minY * 0.8, area.maxY * 0.8);
    const double room = distance.at(x, y) - roadside - 2.0e6;
    if (room > best) {
      best = room;
      lakeX = x;
      lakeY = y;
    }
  }
  lakeRadius = std::min(best, 7.0e6);
  lakePhase = random.uniform(0, twoPi);
}

double Scenery::height(double x, double y) const {
  double sum = 0;
  for (int k = 0; k < 4; ++k) sum += std::sin(waveX[k] * x + waveY[k] * y + wavePhase[k]);
  return sum / 4;
}

bool Scenery::inLake(double x, double y) const {
  if (lakeRadius < 3.0e6) return false;
  const double dx = x - lakeX, dy = y - lakeY;
  const double shore = lakeRadius * (0.9 + 0.1 * std::sin(3 * std::atan2(dy, dx) + lakePhase));
  return std::hypot(dx, dy) < shore;
}

Colour Scenery::fieldColour(double x, double y) const {
  // Fields are plots of a tilted grid, each sown with one crop.
  const double c = std::cos(fieldAngle), s = std::sin(fieldAngle);
  const double u = (c * x + s * y) / 9.0e6, v = (-s * x + c * y) / 6.0e6;
  const double hash = std::sin(std::floor(u) * 12.9898 + std::floor(v) * 78.233 + fieldSeed) * 43758.5453;
  const int crop = static_cast<int>((hash - std::floor(hash)) * std::size(fieldColours));
  return fieldColours[std::clamp<int>(crop, 0, std::size(fieldColours) - 1)];
}

MeshPoint Scenery::terrainAt(double x, double y) const {
  if (inLake(x, y)) return {x, y, lakeLevel, water};
  const double h = height(x, y);
  const Colour base = distance.at(x, y) < roadside + 2.5e6 ? mownGrass : fieldColour(x, y);
  return {x, y, terrainLevel + terrainRelief * h, shaded(base, 0.9 + 0.1 * h)};
}

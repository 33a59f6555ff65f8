#include "Centerline.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double twoPi = 6.283185307179586;
constexpr int tableSize = 8192;
constexpr int firstHarmonic = 2;
constexpr int lastHarmonic = 6;

}  // namespace

Centerline::Centerline(Random& random, double width, double height, double minRadius) {
  for (int k = firstHarmonic; k <= lastHarmonic; ++k) {
    shape.amplitude[k] = random.uniform(0.04, 0.16) / std::pow(k - 1, 0.7);
    shape.phase[k] = random.uniform(0, twoPi);
  }
  // Soften the loop until every corner can carry the road and its verges.
  for (int attempt = 0; attempt < 40; ++attempt) {
    fitBox(width, height);
    if (tightestRadius() >= minRadius) break;
    for (int k = firstHarmonic; k <= lastHarmonic; ++k) shape.amplitude[k] *= 0.85;
  }
  measure();
}

TrackFrame Centerline::frameAtAngle(double theta) const {
  // Polar loop r(theta) = 1 + sum a_k cos(k theta + p_k), stretched to the box: it
  // never crosses itself since r stays positive.
  double r = 1, dr = 0, ddr = 0;
  for (int k = firstHarmonic; k <= lastHarmonic; ++k) {
    const double a = shape.amplitude[k], angle = k * theta + shape.phase[k];
    r += a * std::cos(angle);
    dr -= a * k * std::sin(angle);
    ddr -= a * k * k * std::cos(angle);
  }
  const double c = std::cos(theta), s = std::sin(theta);
  const double dx = shape.scaleX * (dr * c - r * s), dy = shape.scaleY * (dr * s + r * c);
  const double ddx = shape.scaleX * (ddr * c - 2 * dr * s - r * c);
  const double ddy = shape.scaleY * (ddr * s + 2 * dr * c - r * s);
  const double speed = std::hypot(dx, dy);
  TrackFrame f;
  f.x = shape.scaleX * r * c + shape.shiftX;
  f.y = shape.scaleY * r * s + shape.shiftY;
  f.tangentX = dx / speed;
  f.tangentY = dy / speed;
  f.normalX = -f.tangentY;
  f.normalY = f.tangentX;
  f.curvature = (dx * ddy - dy * ddx) / (speed * speed * speed);
  return f;
}

void Centerline::fitBox(double width, double height) {
  shape.scaleX = shape.scaleY = 1;
  shape.shiftX = shape.shiftY = 0;
  double minX = std::numeric_limits<double>::max(), maxX = -minX, minY = minX, maxY = -minX;
  for (int i = 0; i < tableSize; ++i) {
    const TrackFrame f = frameAtAngle(twoPi * i / tableSize);
    minX = std::min(minX, f.x);
    maxX = std::max(maxX, f.x);
    minY = std::min(minY, f.y);
    maxY = std::max(maxY, f.y);
  }
  shape.scaleX = width / (maxX - minX);
  shape.scaleY = height / (maxY - minY);
  shape.shiftX = -shape.scaleX * (minX + maxX) / 2;
  shape.shiftY = -shape.scaleY * (minY + maxY) / 2;
}

double Centerline::tightestRadius() const {
  double most = 0;
  for (int i = 0; i < tableSize; ++i) most = std::max(most, std::abs(frameAtAngle(twoPi * i / tableSize).curvature));
  return most > 0 ? 1 / most : std::numeric_limits<double>::max();
}

void Centerline::measure() {
  arc.assign(tableSize + 1, 0);
  std::vector<double> bend(tableSize);
  TrackFrame previous = frameAtAngle(0);
  for (int i = 1; i <= tableSize; ++i) {
    const TrackFrame f = frameAtAngle(twoPi * i / tableSize);
    arc[i] = arc[i - 1] + std::hypot(f.x - previous.x, f.y - previous.y);
    bend[i - 1] = std::abs(f.curvature);
    previous = f;
  }
  // The start line goes where the track bends least over a stretch of 1/20 of the loop.
  const int window = tableSize / 40;
  double best = std::numeric_limits<double>::max();
  for (int i = 0; i < tableSize; ++i) {
    double sum = 0;
    for (int j = -window; j <= window; ++j) sum += bend[(i + j + tableSize) % tableSize];
    if (sum < best) {
      best = sum;
      startArc = arc[i];
    }
  }
}

double Centerline::angleAt(double s) const {
  const double total = length();
  s = std::fmod(s + startArc, total);
  if (s < 0) s += total;
  const auto upper = std::upper_bound(arc.begin(), arc.end(), s);
  const int i = std::clamp(static_cast<int>(upper - arc.begin()) - 1, 0, tableSize - 1);
  const double part = (s - arc[i]) / (arc[i + 1] - arc[i]);
  return twoPi * (i + part) / tableSize;
}

TrackFrame Centerline::at(double s) const { return frameAtAngle(angleAt(s)); }

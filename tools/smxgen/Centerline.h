// The middle line of the track: a smooth closed loop, counter-clockwise seen from +z,
// measured by arc length from the start line in the middle of the longest straight.
#pragma once

#include <vector>

#include "Random.h"

struct TrackFrame {
  double x, y;
  double tangentX, tangentY;  // unit, in the direction of travel
  double normalX, normalY;    // unit, to the left of the direction of travel
  double curvature;           // 1 / radius; positive where the track turns left
};

class Centerline {
 public:
  // The loop's bounding box is width x height, centred on the origin, and no corner
  // is tighter than minRadius.
  Centerline(Random& random, double width, double height, double minRadius);

  double length() const { return arc.back(); }
  // s is taken modulo the length.
  TrackFrame at(double s) const;

 private:
  struct Shape {
    double amplitude[7] = {};
    double phase[7] = {};
    double scaleX = 1, scaleY = 1, shiftX = 0, shiftY = 0;
  };

  TrackFrame frameAtAngle(double theta) const;
  void fitBox(double width, double height);
  double tightestRadius() const;
  void measure();
  double angleAt(double s) const;

  Shape shape;
  std::vector<double> arc;  // arc length at each table angle, from angle 0
  double startArc = 0;
};

// What lies around the track: rolling farmland with a lake, judged by how far each
// spot is from the track.
#pragma once

#include <vector>

#include "Centerline.h"
#include "Random.h"
#include "SmxObject.h"

struct Area {
  double minX, minY, maxX, maxY;
};

// Distances to the track's middle line on a coarse grid, looked up between grid points.
class TrackDistance {
 public:
  TrackDistance(const Centerline& line, const Area& area);
  double at(double x, double y) const;

 private:
  Area area;
  int columns, rows;
  std::vector<double> values;
};

class Scenery {
 public:
  // roadside: the distance from the middle line to the outer edge of the verges.
  Scenery(Random& random, const Area& area, const TrackDistance& distance, double roadside);

  MeshPoint terrainAt(double x, double y) const;
  bool inLake(double x, double y) const;

 private:
  double height(double x, double y) const;  // -1 .. 1
  Colour fieldColour(double x, double y) const;

  const TrackDistance& distance;
  double roadside;
  double waveX[4], waveY[4], wavePhase[4];
  double fieldAngle, fieldSeed;
  double lakeX = 0, lakeY = 0, lakeRadius = 0, lakePhase = 0;
};

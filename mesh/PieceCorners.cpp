#include "mesh/PieceCorners.h"

#include <algorithm>
#include <cmath>

#include "mesh/SmxFormat.h"

void PieceCornersBuilder::begin(const unsigned char* pointRecords) {
  records = pointRecords;
  // A new stamp forgets the previous piece's points without clearing the tables.
  if (++stamp == 0) {
    std::fill(stampOf.begin(), stampOf.end(), 0);
    stamp = 1;
  }
  building.positions.clear();
  building.colours.clear();
  building.indices.clear();
  areaSum = 0;
}

void PieceCornersBuilder::add(const unsigned char* point) {
  const std::size_t number = std::size_t(point - records) / smx::pointSize;
  if (number >= stampOf.size()) {
    stampOf.resize(number + 1, 0);
    indexOf.resize(number + 1, 0);
  }
  if (stampOf[number] != stamp) {
    stampOf[number] = stamp;
    indexOf[number] = std::uint16_t(building.positions.size() / 3);
    for (int at : {smx::pointXAt, smx::pointYAt, smx::pointZAt})
      building.positions.push_back(float(smx::getInt32(point + at)));
    for (int at : {smx::pointRedAt, smx::pointGreenAt, smx::pointBlueAt}) building.colours.push_back(point[at]);
    building.colours.push_back(255);
  }
  building.indices.push_back(indexOf[number]);
  if (building.indices.size() % 3 != 0) return;
  // The triangle is complete: half the length of the cross product of two of its sides.
  const std::uint16_t* corner = &building.indices[building.indices.size() - 3];
  double side[2][3];
  for (int s = 0; s < 2; ++s)
    for (int k = 0; k < 3; ++k)
      side[s][k] = double(building.positions[corner[s + 1] * 3u + k]) - building.positions[corner[0] * 3u + k];
  const double cross[3] = {side[0][1] * side[1][2] - side[0][2] * side[1][1],
                           side[0][2] * side[1][0] - side[0][0] * side[1][2],
                           side[0][0] * side[1][1] - side[0][1] * side[1][0]};
  areaSum += std::sqrt(cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2]) / 2;
}

PieceCorners PieceCornersBuilder::finish() {
  PieceCorners piece;
  piece.positions.assign(building.positions.begin(), building.positions.end());
  piece.colours.assign(building.colours.begin(), building.colours.end());
  piece.indices.assign(building.indices.begin(), building.indices.end());
  const std::size_t triangles = piece.indices.size() / 3;
  piece.meanArea = triangles ? float(areaSum / double(triangles)) : 0.0f;
  return piece;
}

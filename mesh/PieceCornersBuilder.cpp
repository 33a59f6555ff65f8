#include "mesh/PieceCornersBuilder.h"

#include <algorithm>
#include <cmath>

void PieceCornersBuilder::begin(const unsigned char* pointRecords, std::size_t points) {
  records = pointRecords;
  // A new stamp forgets the previous piece's points without clearing the table.
  if (++stamp == 0) {
    std::fill(seenAs.begin(), seenAs.end(), 0);
    stamp = 1;
  }
  if (seenAs.size() < points) seenAs.resize(points, 0);
  pointsSeen.clear();
  indices.clear();
}

namespace {

// The mean area is taken over every eighth triangle: it only picks the pieces worth culling, and a
// square root for every triangle was a noticeable share of a load.
constexpr std::size_t areaSampleStride = 8;

}  // namespace

// Half the length of the cross product of two sides, over a sample of the triangles.
double PieceCornersBuilder::meanArea(const PieceCorners& piece) {
  double sum = 0;
  std::size_t sampled = 0;
  const float* positions = piece.positions.data();
  for (std::size_t i = 0; i + 2 < piece.indices.size(); i += 3 * areaSampleStride, ++sampled) {
    const float* a = positions + piece.indices[i] * 3u;
    const float* b = positions + piece.indices[i + 1] * 3u;
    const float* c = positions + piece.indices[i + 2] * 3u;
    const double side[2][3] = {{double(b[0]) - a[0], double(b[1]) - a[1], double(b[2]) - a[2]},
                               {double(c[0]) - a[0], double(c[1]) - a[1], double(c[2]) - a[2]}};
    const double cross[3] = {side[0][1] * side[1][2] - side[0][2] * side[1][1],
                             side[0][2] * side[1][0] - side[0][0] * side[1][2],
                             side[0][0] * side[1][1] - side[0][1] * side[1][0]};
    sum += std::sqrt(cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2]) / 2;
  }
  return sampled ? sum / double(sampled) : 0;
}

PieceCorners PieceCornersBuilder::finish() {
  PieceCorners piece;
  piece.positions.resize(3 * pointsSeen.size());
  piece.colours.resize(3 * pointsSeen.size());
  float* position = piece.positions.data();
  unsigned char* colour = piece.colours.data();
  for (const std::uint32_t number : pointsSeen) {
    const unsigned char* point = records + std::size_t(number) * smx::pointSize;
    for (int at : {smx::pointXAt, smx::pointYAt, smx::pointZAt}) *position++ = float(smx::getInt32(point + at));
    for (int at : {smx::pointRedAt, smx::pointGreenAt, smx::pointBlueAt}) *colour++ = point[at];
  }
  piece.indices.assign(indices.begin(), indices.end());
  piece.meanArea = float(meanArea(piece));
  return piece;
}

#include "MeshLayers.h"

#include <algorithm>

namespace {

// Tiles as wide as 256 points use the whole 16-bit index range when the grid is large enough.
constexpr int tileWidth = 256;

void writeTile(SmxWriter& writer, SmxObject& tile, int row0, int rows, int col0, int cols,
               const std::function<MeshPoint(int, int)>& pointAt) {
  tile.clear();
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) tile.addPoint(pointAt(row0 + r, col0 + c));
  for (int r = 0; r + 1 < rows; ++r) {
    for (int c = 0; c + 1 < cols; ++c) {
      const int here = r * cols + c;
      const int right = here + 1;
      const int up = here + cols;
      tile.addTriangle(here, right, up + 1);
      tile.addTriangle(here, up + 1, up);
    }
  }
  writer.write(tile);
}

}  // namespace

void writeGrid(SmxWriter& writer, const std::string& name, int rows, int cols,
               const std::function<MeshPoint(int row, int col)>& pointAt) {
  const int width = std::min(cols, tileWidth);
  const int height = std::min(rows, smx::maxIndexedPoints / width);
  SmxObject tile(name);
  for (int row0 = 0; row0 + 1 < rows; row0 += height - 1) {
    for (int col0 = 0; col0 + 1 < cols; col0 += width - 1) {
      writeTile(writer, tile, row0, std::min(height, rows - row0), col0, std::min(width, cols - col0), pointAt);
    }
  }
}

SmxObject& ShapeBatch::roomFor(int points) {
  if (!object.hasRoomFor(points)) flush();
  return object;
}

void ShapeBatch::flush() {
  writer.write(object);
  object.clear();
}

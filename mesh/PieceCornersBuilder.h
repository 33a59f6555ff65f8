// Fills a piece's corner arrays (render/PieceCorners.h) as its triangles are read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "mesh/SmxFormat.h"
#include "render/PieceCorners.h"

// Fills one piece's arrays as it is read: corners come in triangle order, each a point
// record of the current object, told apart by where the record lies.
class PieceCornersBuilder {
 public:
  // Starts a piece whose corners all lie among the first points of the point records at pointRecords.
  void begin(const unsigned char* pointRecords, std::size_t points);
  // Inline and light, as it is called for every corner of the track while it loads: the points are
  // read once the piece is done.
  void add(const unsigned char* point) {
    const std::uint32_t number = std::uint32_t(std::size_t(point - records) / smx::pointSize);
    std::uint32_t& seen = seenAs[number];
    if (seen >> 16 != stamp) {
      seen = std::uint32_t(stamp) << 16 | std::uint32_t(pointsSeen.size());
      pointsSeen.push_back(number);
    }
    indices.push_back(std::uint16_t(seen));
  }
  // The piece's arrays, sized to what they hold.
  PieceCorners finish();

 private:
  static double meanArea(const PieceCorners& piece);

  const unsigned char* records = nullptr;
  // Point number to this piece's stamp and the point's index in the piece, one word a point so that
  // a corner costs one look-up; only an entry with this piece's stamp is valid.
  std::vector<std::uint32_t> seenAs;
  std::uint16_t stamp = 0;
  std::vector<std::uint32_t> pointsSeen;  // point numbers, in the order the piece first names them
  std::vector<std::uint16_t> indices;
};

// Reads a file through SmxReader and keeps everything it yielded, for comparison.
#pragma once

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "mesh/SmxDefect.h"

struct Corner {
  std::int32_t x, y, z;
  unsigned blue, green, red;
  bool operator==(const Corner& o) const {
    return x == o.x && y == o.y && z == o.z && blue == o.blue && green == o.green && red == o.red;
  }
};

inline std::ostream& operator<<(std::ostream& out, const Corner& c) {
  return out << "(" << c.x << ", " << c.y << ", " << c.z << " bgr " << c.blue << "/" << c.green << "/" << c.red << ")";
}

struct ReadResult {
  bool headerRead = false;
  std::vector<Corner> corners;  // three per drawable triangle, in order
  std::vector<SmxDefect> defects;
  std::int64_t offset = 0;
  std::int64_t largestObject = 0;  // the most points held at once
};

// fileSize < 0 means: the size the file really has.
ReadResult readSmx(const std::string& path, std::int64_t fileSize = -1);

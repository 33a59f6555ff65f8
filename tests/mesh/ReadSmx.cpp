#include "ReadSmx.h"

#include <algorithm>
#include <cstdio>

#include "mesh/SmxFormat.h"
#include "mesh/SmxReader.h"

ReadResult readSmx(const std::string& path, std::int64_t fileSize) {
  ReadResult result;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return result;
  SmxReader reader(file, fileSize < 0 ? SmxReader::sizeOf(file) : fileSize,
                   [&](const SmxDefect& d) { result.defects.push_back(d); });
  unsigned char header[smx::fileHeaderSize];
  result.headerRead = reader.readHeader(header);
  while (reader.nextObject()) {
    result.largestObject = std::max(result.largestObject, reader.pointsHeld());
    while (reader.nextTriangle()) {
      for (int k = 0; k < 3; ++k) {
        const unsigned char* p = reader.corner(k);
        result.corners.push_back({smx::getInt32(p), smx::getInt32(p + 4), smx::getInt32(p + 8), p[12], p[13], p[14]});
      }
    }
  }
  result.offset = reader.offset();
  std::fclose(file);
  return result;
}

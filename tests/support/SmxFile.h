// Builds small SMX tracks from points and triangles, and writes them where the test wants them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/SmxBytes.h"

struct SmxPoint {
  std::int32_t x, y, z;
  unsigned char red, green, blue;
};

struct SmxTriangle {
  std::uint16_t a, b, c;
};

class SmxFile {
 public:
  explicit SmxFile(unsigned char red = 0x40, unsigned char green = 0x80, unsigned char blue = 0x20);

  // Appends one object and counts it in the header.
  SmxFile& object(const std::vector<SmxPoint>& points, const std::vector<SmxTriangle>& triangles);
  // Overrides the header's object count.
  SmxFile& objectCount(std::int32_t count);

  std::vector<unsigned char> bytes() const;
  // Writes the file (creating its folder if needed) and returns the path.
  std::string writeTo(const std::string& path) const;

 private:
  unsigned char ground[3];
  SmxBytes body;
  std::int32_t objects = 0;
};

// A one-triangle track that faces up, for tests that need any loadable file.
SmxFile singleTriangleTrack();

#include "support/SmxFile.h"

SmxFile::SmxFile(unsigned char red, unsigned char green, unsigned char blue) : ground{red, green, blue} {}

SmxFile& SmxFile::object(const std::vector<SmxPoint>& points, const std::vector<SmxTriangle>& triangles) {
  body.object(static_cast<std::int32_t>(points.size()), static_cast<std::int32_t>(triangles.size()));
  for (const auto& p : points) body.point(p.x, p.y, p.z, p.blue, p.green, p.red);
  for (const auto& t : triangles) body.triangle(t.a, t.b, t.c);
  ++objects;
  return *this;
}

SmxFile& SmxFile::objectCount(std::int32_t count) {
  objects = count;
  return *this;
}

std::vector<unsigned char> SmxFile::bytes() const {
  SmxBytes file;
  file.header(objects, ground[0], ground[1], ground[2]);
  file.bytes.insert(file.bytes.end(), body.bytes.begin(), body.bytes.end());
  return file.bytes;
}

std::string SmxFile::writeTo(const std::string& path) const {
  SmxBytes file;
  file.bytes = bytes();
  return file.writeTo(path);
}

SmxFile singleTriangleTrack() {
  SmxFile file;
  file.object({{-1000000, -1000000, 0, 200, 40, 40},
               {1000000, -1000000, 0, 40, 200, 40},
               {0, 1000000, 0, 40, 40, 200}},
              {{0, 1, 2}});
  return file;
}

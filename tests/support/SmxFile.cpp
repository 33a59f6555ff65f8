#include "support/SmxFile.h"

#include <cstdio>
#include <filesystem>

namespace {

void put32(std::vector<unsigned char>& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<unsigned char>(bits >> shift));
}

void put16(std::vector<unsigned char>& out, std::uint16_t value) {
  out.push_back(static_cast<unsigned char>(value));
  out.push_back(static_cast<unsigned char>(value >> 8));
}

}  // namespace

SmxFile::SmxFile(unsigned char red, unsigned char green, unsigned char blue) : header(64, 0) {
  header[48] = red;
  header[49] = green;
  header[50] = blue;
}

SmxFile& SmxFile::object(const std::vector<SmxPoint>& points, const std::vector<SmxTriangle>& triangles) {
  body.insert(body.end(), 16, 0);
  put32(body, static_cast<std::int32_t>(points.size()));
  put32(body, static_cast<std::int32_t>(triangles.size()));
  for (const auto& p : points) {
    put32(body, p.x);
    put32(body, p.y);
    put32(body, p.z);
    body.push_back(p.blue);
    body.push_back(p.green);
    body.push_back(p.red);
    body.push_back(0);
  }
  for (const auto& t : triangles) {
    put16(body, t.a);
    put16(body, t.b);
    put16(body, t.c);
    put16(body, 0);
  }
  ++objects;
  return *this;
}

SmxFile& SmxFile::objectCount(std::int32_t count) {
  objects = count;
  return *this;
}

std::vector<unsigned char> SmxFile::bytes() const {
  std::vector<unsigned char> file(header);
  file.resize(60);
  put32(file, objects);
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

std::string SmxFile::writeTo(const std::string& path) const {
  const std::filesystem::path target(path);
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path());
  const std::vector<unsigned char> content = bytes();
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out) {
    std::fwrite(content.data(), 1, content.size(), out);
    std::fclose(out);
  }
  return path;
}

SmxFile singleTriangleTrack() {
  SmxFile file;
  file.object({{-1000000, -1000000, 0, 200, 40, 40},
               {1000000, -1000000, 0, 40, 200, 40},
               {0, 1000000, 0, 40, 40, 200}},
              {{0, 1, 2}});
  return file;
}

// One object of an SMX file being built: at most 65536 coloured points and the
// triangles that index them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "mesh/SmxFormat.h"

struct Colour {
  std::uint8_t red, green, blue;
};

struct MeshPoint {
  double x, y, z;
  Colour colour;
};

class SmxObject {
 public:
  explicit SmxObject(std::string name) : name(std::move(name)) {}

  int pointCount() const { return static_cast<int>(points.size()); }
  int triangleCount() const { return static_cast<int>(triangles.size()); }
  bool hasRoomFor(int morePoints) const { return pointCount() + morePoints <= smx::maxIndexedPoints; }

  // Returns the new point's index.
  int addPoint(const MeshPoint& point);
  // Corners counter-clockwise seen from the side the triangle faces.
  void addTriangle(int a, int b, int c);

  // The object's bytes as they stand in the file.
  void appendTo(std::vector<unsigned char>& bytes) const;

  void clear();
  const std::string& label() const { return name; }

 private:
  std::string name;
  std::vector<MeshPoint> points;
  std::vector<std::array<int, 3>> triangles;
};

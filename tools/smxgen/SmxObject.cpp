#include "SmxObject.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

int SmxObject::addPoint(const MeshPoint& point) {
  assert(hasRoomFor(1));
  points.push_back(point);
  return pointCount() - 1;
}

void SmxObject::addTriangle(int a, int b, int c) {
  assert(a < pointCount() && b < pointCount() && c < pointCount());
  triangles.push_back({a, b, c});
}

void SmxObject::appendTo(std::vector<unsigned char>& bytes) const {
  std::size_t at = bytes.size();
  bytes.resize(at + smx::objectHeaderSize + points.size() * smx::pointSize + triangles.size() * smx::triangleSize);
  unsigned char* out = bytes.data() + at;

  // The first 16 bytes are not read by the viewer; they carry the object's name.
  std::memcpy(out, name.data(), std::min<std::size_t>(name.size(), smx::pointCountAt));
  smx::putInt32(out + smx::pointCountAt, pointCount());
  smx::putInt32(out + smx::triangleCountAt, triangleCount());
  out += smx::objectHeaderSize;

  for (const MeshPoint& p : points) {
    smx::putInt32(out + smx::pointXAt, static_cast<std::int32_t>(std::lround(p.x)));
    smx::putInt32(out + smx::pointYAt, static_cast<std::int32_t>(std::lround(p.y)));
    smx::putInt32(out + smx::pointZAt, static_cast<std::int32_t>(std::lround(p.z)));
    out[smx::pointBlueAt] = p.colour.blue;
    out[smx::pointGreenAt] = p.colour.green;
    out[smx::pointRedAt] = p.colour.red;
    out[smx::pointRedAt + 1] = 255;
    out += smx::pointSize;
  }
  for (const auto& t : triangles) {
    for (int k = 0; k < 3; ++k) smx::putUint16(out + k * smx::cornerIndexSize, static_cast<unsigned>(t[k]));
    smx::putUint16(out + 3 * smx::cornerIndexSize, 0);
    out += smx::triangleSize;
  }
}

void SmxObject::clear() {
  points.clear();
  triangles.clear();
}

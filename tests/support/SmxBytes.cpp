#include "support/SmxBytes.h"

#include <filesystem>
#include <fstream>

#include "mesh/SmxFormat.h"

namespace {

void append(std::vector<unsigned char>& bytes, std::initializer_list<std::int32_t> values, int size = 4) {
  for (std::int32_t value : values)
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<unsigned char>(std::uint32_t(value) >> (8 * i)));
}

}  // namespace

SmxBytes& SmxBytes::header(std::int32_t objectCount, unsigned char red, unsigned char green, unsigned char blue) {
  const std::size_t at = bytes.size();
  bytes.resize(at + smx::fileHeaderSize, 0xA5);  // unread bytes carry noise on purpose
  bytes[at + smx::groundRedAt] = red;
  bytes[at + smx::groundGreenAt] = green;
  bytes[at + smx::groundBlueAt] = blue;
  smx::putInt32(&bytes[at + smx::objectCountAt], objectCount);
  return *this;
}

SmxBytes& SmxBytes::object(std::int32_t pointCount, std::int32_t triangleCount) {
  bytes.resize(bytes.size() + smx::pointCountAt, 0x5A);
  append(bytes, {pointCount, triangleCount});
  return *this;
}

SmxBytes& SmxBytes::point(std::int32_t x, std::int32_t y, std::int32_t z, unsigned char blue, unsigned char green,
                          unsigned char red, unsigned char spare) {
  append(bytes, {x, y, z});
  bytes.insert(bytes.end(), {blue, green, red, spare});
  return *this;
}

SmxBytes& SmxBytes::triangle(unsigned a, unsigned b, unsigned c) {
  append(bytes, {std::int32_t(a), std::int32_t(b), std::int32_t(c), 0xEEEE}, 2);
  return *this;
}

std::string SmxBytes::writeTo(const std::string& path) const {
  // The path is UTF-8, which Windows' narrow functions would read as ANSI.
  const auto file = std::filesystem::u8path(path);
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(size()));
  return path;
}

std::string SmxBytes::writeTo(const std::string& path, std::size_t at, std::uintmax_t zeros) const {
  std::filesystem::resize_file(std::filesystem::u8path(cut(at).writeTo(path)), at + zeros);
  std::ofstream(std::filesystem::u8path(path), std::ios::binary | std::ios::app)
      .write(reinterpret_cast<const char*>(bytes.data() + at), std::streamsize(size() - at));
  return path;
}

SmxBytes singleTriangleTrack() {
  return SmxBytes().header(1, 0x40, 0x80, 0x20).object(3, 1).point(-1000000, -1000000, 0, 40, 40, 200)
      .point(1000000, -1000000, 0, 40, 200, 40).point(0, 1000000, 0, 200, 40, 40).triangle(0, 1, 2);
}

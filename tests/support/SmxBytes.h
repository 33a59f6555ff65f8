// Builds SMX files byte by byte, bad ones included, and writes them to disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class SmxBytes {
 public:
  // The 64-byte file header, its ground colour in red, green, blue order.
  SmxBytes& header(std::int32_t objectCount, unsigned char red = 0, unsigned char green = 0, unsigned char blue = 0);
  SmxBytes& object(std::int32_t pointCount, std::int32_t triangleCount);
  // The colour in file order: blue, green, red, then the unread fourth byte.
  SmxBytes& point(std::int32_t x, std::int32_t y, std::int32_t z, unsigned char blue = 0, unsigned char green = 0,
                  unsigned char red = 0, unsigned char spare = 0);
  SmxBytes& triangle(unsigned a, unsigned b, unsigned c);

  std::size_t size() const { return bytes.size(); }
  // The first length bytes only, as a file that ends early.
  SmxBytes cut(std::size_t length) const { return {{bytes.begin(), bytes.begin() + std::ptrdiff_t(length)}}; }
  // Writes the file at path, making its folder if needed, and returns the path.
  std::string writeTo(const std::string& path) const;
  // The same with a hole of zeros bytes, sparse where the file system allows, spliced in at offset at.
  std::string writeTo(const std::string& path, std::size_t at, std::uintmax_t zeros) const;

  std::vector<unsigned char> bytes;
};

// A one-triangle track that faces up, for tests that need any loadable file.
SmxBytes singleTriangleTrack();

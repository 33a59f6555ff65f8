// Record sizes, field offsets and little-endian integers of the SMX track-mesh file.
#pragma once

#include <cstdint>

namespace smx {

constexpr int fileHeaderSize = 64;
constexpr int groundRedAt = 48;
constexpr int groundGreenAt = 49;
constexpr int groundBlueAt = 50;
constexpr int objectCountAt = 60;

constexpr int objectHeaderSize = 24;
constexpr int pointCountAt = 16;
constexpr int triangleCountAt = 20;

// A point's colour is stored blue, green, red: the opposite order of the ground colour.
constexpr int pointSize = 16;
constexpr int pointXAt = 0;
constexpr int pointYAt = 4;
constexpr int pointZAt = 8;
constexpr int pointBlueAt = 12;
constexpr int pointGreenAt = 13;
constexpr int pointRedAt = 14;

constexpr int triangleSize = 8;
constexpr int cornerIndexSize = 2;

// Indices are 16-bit, so an object can name no more points than this.
constexpr int maxIndexedPoints = 65536;

inline std::int32_t getInt32(const unsigned char* at) {
  const std::uint32_t bits = std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 |
                             std::uint32_t(at[2]) << 16 | std::uint32_t(at[3]) << 24;
  return static_cast<std::int32_t>(bits);
}

inline unsigned getUint16(const unsigned char* at) { return unsigned(at[0]) | unsigned(at[1]) << 8; }

inline void putInt32(unsigned char* at, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(bits >> (8 * i));
}

inline void putUint16(unsigned char* at, unsigned value) {
  at[0] = static_cast<unsigned char>(value);
  at[1] = static_cast<unsigned char>(value >> 8);
}

}  // namespace smx

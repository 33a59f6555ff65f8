// A small seeded generator (splitmix64) whose sequence is the same on every platform,
// so a seed always yields the same track.
#pragma once

#include <cstdint>

class Random {
 public:
  explicit Random(std::uint64_t seed) : state(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // Uniform in [low, high).
  double uniform(double low, double high) { return low + (high - low) * double(next() >> 11) * 0x1.0p-53; }

 private:
  std::uint64_t state;
};

// Colour bytes as the floats a display list holds for them: channel i as i / 255. The renderer converts bytes
// handed to it otherwise, a few of them a step apart, so arrays hand it these floats.
#pragma once

#include <cstddef>

struct ColourFloats {
  float of[256];
  ColourFloats() {
    for (int i = 0; i < 256; ++i) of[i] = float(i) / 255.0f;
  }
};

inline const ColourFloats colourFloats;

// count bytes at from as floats at to.
inline void coloursAsFloats(const unsigned char* from, std::size_t count, float* to) {
  for (std::size_t i = 0; i < count; ++i) to[i] = colourFloats.of[from[i]];
}

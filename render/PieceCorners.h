// A piece's triangles held as arrays, each point once, where the renderer draws in software: a frame
// hands the renderer the triangles it will see, with exactly the values a display list would hold.
#pragma once

#include <cstdint>
#include <vector>

struct PieceCorners {
  // Each point once: x, y, z as the floats the list holds, and its colour bytes red, green, blue, which
  // the renderer is given as i / 255 floats with an alpha of 1, as the list holds them.
  std::vector<float> positions;
  std::vector<unsigned char> colours;
  // Three points a triangle, in the list's order; a piece names at most 3 * 16384 points.
  std::vector<std::uint16_t> indices;
  // The mean area of its triangles in square mesh units, from a sample of them, to tell how large they
  // are on screen.
  float meanArea = 0;
};

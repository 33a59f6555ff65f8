// One piece of a track as the renderer draws it.
#pragma once

#include <cstdint>

// A run of triangles of one object in a display list of its own, with the box around its corners in mesh units.
struct TrackPiece {
  unsigned list;
  std::int32_t low[3];
  std::int32_t high[3];
};

// One piece of a track as the renderer draws it.
#pragma once

#include <cstdint>

// A run of triangles of one object, with the box around its corners in mesh units.
struct TrackPiece {
  unsigned list;  // its display list; 0 where the track is held as arrays
  std::int32_t low[3];
  std::int32_t high[3];
};

// The tracks a soak run plays with: real circuits, a small sound track and damaged
// files of every kind the reader meets, written into smx/ and smxU/ of the current folder.
#pragma once

#include <string>
#include <vector>

#include "Random.h"

enum class TrackKind {
  Circuit,
  Sound,
  Empty,
  Cut,
  NegativeObjects,
  NegativePoints,
  NegativeTriangles,
  HugePoints,
  HugeTriangles,
  HugeObjects,
  IndicesOutOfRange,
  Garbage,
};
constexpr int trackKindCount = 12;

const char* trackKindName(TrackKind kind);

// Writes a track of the given kind to path (its folder must exist); false if it cannot be written.
bool writeTrack(TrackKind kind, const std::string& path, Random& random);

// Fills smx/ and smxU/ with one track of every kind and a folder that only looks like a track.
void fillTrackFolders(Random& random);

// Paths ("smx/name.smx", "smxU/name.smx") of the entries that match *.smx, letter case
// ignored, sorted; folders only when withFolders is set.
std::vector<std::string> trackPaths(bool withFolders = false);

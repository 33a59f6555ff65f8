// The tracks the hardening tests play with: real circuits, small sound tracks and a few kinds
// of damaged file, written into smx/ and smxU/ of the current folder.
#pragma once

#include <string>
#include <vector>

#include "Random.h"

enum class TrackKind { Circuit, Sound, Cut, BadCount, BadIndices };
constexpr int trackKindCount = 5;

const char* trackKindName(TrackKind kind);

// Writes a track of the given kind to path (its folder must exist).
void writeTrack(TrackKind kind, const std::string& path, Random& random);

// Fills smx/ and smxU/ with one track of every kind, an empty file and a folder named like a track.
void fillTrackFolders(Random& random);

// Paths ("smx/name.smx", "smxU/name.smx") of the entries named *.smx, sorted; folders only
// when withFolders is set.
std::vector<std::string> trackPaths(bool withFolders = false);

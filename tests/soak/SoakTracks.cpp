#include "SoakTracks.h"

#include <algorithm>
#include <filesystem>

#include "Circuit.h"
#include "mesh/SmxFormat.h"
#include "support/SmxBytes.h"

namespace {

int below(Random& random, int bound) {
  return static_cast<int>(random.next() % static_cast<std::uint64_t>(bound));
}

// A few objects of a few points; corners are drawn from cornerRange, so a range past the
// object's points names points it does not have.
SmxBytes soundTrack(Random& random, bool badIndices) {
  const int objects = 1 + below(random, 3);
  SmxBytes file;
  file.header(objects, static_cast<unsigned char>(random.next()), 90, 40);
  for (int o = 0; o < objects; ++o) {
    const int points = 3 + below(random, 6), triangles = 1 + below(random, 5);
    const int cornerRange = badIndices ? smx::maxIndexedPoints : points;
    file.object(points, triangles);
    for (int p = 0; p < points; ++p)
      file.point(below(random, 2000001) - 1000000, below(random, 2000001) - 1000000, 0,
                 static_cast<unsigned char>(random.next()), 128, 64);
    for (int t = 0; t < triangles; ++t)
      file.triangle(below(random, cornerRange), below(random, cornerRange),
                    below(random, cornerRange));
  }
  return file;
}

SmxBytes trackBytes(TrackKind kind, Random& random) {
  SmxBytes file = soundTrack(random, kind == TrackKind::BadIndices);
  switch (kind) {
    case TrackKind::Cut:
      return file.cut(static_cast<std::size_t>(below(random, static_cast<int>(file.size()))));
    case TrackKind::BadCount: {
      // Negative or far beyond the file, in the header or the first object.
      static constexpr int fields[] = {smx::objectCountAt, smx::fileHeaderSize + smx::pointCountAt,
                                       smx::fileHeaderSize + smx::triangleCountAt};
      smx::putInt32(&file.bytes[fields[below(random, 3)]],
                    below(random, 2) ? 0x7FFFFFFF : -1 - below(random, 1000));
      return file;
    }
    default:
      return file;
  }
}

}  // namespace

const char* trackKindName(TrackKind kind) {
  static const char* const names[trackKindCount] = {"circuit", "sound", "cut", "bad-count",
                                                    "bad-indices"};
  return names[static_cast<int>(kind)];
}

void writeTrack(TrackKind kind, const std::string& path, Random& random) {
  std::string error;
  // Small circuits: every kind of object, yet a frame stays cheap.
  if (kind == TrackKind::Circuit)
    writeCircuit(path, 2000, random.next() % 1000, error);
  else
    trackBytes(kind, random).writeTo(path);
}

void fillTrackFolders(Random& random) {
  std::filesystem::create_directories("smx/folder.smx");
  std::filesystem::create_directories("smxU");
  for (int k = 0; k < trackKindCount; ++k) {
    const auto kind = static_cast<TrackKind>(k);
    writeTrack(kind, std::string("smx/") + trackKindName(kind) + ".smx", random);
  }
  SmxBytes().writeTo("smx/empty.smx");
  writeTrack(TrackKind::Circuit, "smxU/circuit.smx", random);
  writeTrack(TrackKind::Cut, "smxU/cut.smx", random);
}

std::vector<std::string> trackPaths(bool withFolders) {
  std::vector<std::string> paths;
  for (const char* folder : {"smx", "smxU"}) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      const std::string name = entry.path().filename().string();
      if (entry.path().extension() == ".smx" && (withFolders || !entry.is_directory(error)))
        paths.push_back(folder + ("/" + name));
    }
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

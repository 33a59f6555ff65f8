#include "SoakTracks.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "Circuit.h"
#include "mesh/SmxFormat.h"
#include "support/SmxFile.h"

namespace {

// Small circuits: every kind of object, yet a frame stays cheap.
constexpr int circuitTriangles = 2000;

constexpr int firstObjectAt = smx::fileHeaderSize;
constexpr std::int32_t hugeCount = 0x7FFFFFFF;

int below(Random& random, int bound) {
  return static_cast<int>(random.next() % static_cast<std::uint64_t>(bound));
}

// A few objects of a few points, every triangle naming points of its own object.
SmxFile soundTrack(Random& random, bool indicesInRange = true) {
  SmxFile file(static_cast<unsigned char>(random.next()), 90, 40);
  const int objects = 1 + below(random, 3);
  for (int o = 0; o < objects; ++o) {
    const int count = 3 + below(random, 6);
    std::vector<SmxPoint> points;
    for (int p = 0; p < count; ++p) {
      const std::int32_t x = below(random, 2000001) - 1000000, y = below(random, 2000001) - 1000000;
      points.push_back({x, y, 0, static_cast<unsigned char>(random.next()), 128, 64});
    }
    std::vector<SmxTriangle> triangles;
    const int triangleCount = 1 + below(random, 5);
    for (int t = 0; t < triangleCount; ++t) {
      const auto corner = [&] { return static_cast<std::uint16_t>(below(random, count)); };
      triangles.push_back({corner(), corner(), corner()});
    }
    if (!indicesInRange) triangles.push_back({0, static_cast<std::uint16_t>(count), 0xFFFF});
    file.object(points, triangles);
  }
  return file;
}

std::vector<unsigned char> withCount(std::vector<unsigned char> bytes, int at, std::int32_t count) {
  smx::putInt32(bytes.data() + at, count);
  return bytes;
}

std::vector<unsigned char> trackBytes(TrackKind kind, Random& random) {
  const std::vector<unsigned char> sound = soundTrack(random).bytes();
  switch (kind) {
    case TrackKind::Empty:
      return {};
    case TrackKind::Cut:
      return {sound.begin(), sound.begin() + 1 + below(random, static_cast<int>(sound.size()) - 1)};
    case TrackKind::NegativeObjects:
      return withCount(sound, smx::objectCountAt, -1 - below(random, 1000));
    case TrackKind::NegativePoints:
      return withCount(sound, firstObjectAt + smx::pointCountAt, -1 - below(random, 1000));
    case TrackKind::NegativeTriangles:
      return withCount(sound, firstObjectAt + smx::triangleCountAt, -1 - below(random, 1000));
    case TrackKind::HugePoints:
      return withCount(sound, firstObjectAt + smx::pointCountAt, hugeCount);
    case TrackKind::HugeTriangles:
      return withCount(sound, firstObjectAt + smx::triangleCountAt, hugeCount);
    case TrackKind::HugeObjects:
      return withCount(sound, smx::objectCountAt, hugeCount);
    case TrackKind::IndicesOutOfRange:
      return soundTrack(random, false).bytes();
    case TrackKind::Garbage: {
      std::vector<unsigned char> bytes(static_cast<std::size_t>(below(random, 400)));
      for (auto& byte : bytes) byte = static_cast<unsigned char>(random.next());
      return bytes;
    }
    default:
      return sound;
  }
}

bool endsWithSmx(const std::string& name) {
  static const std::string extension = ".smx";
  if (name.size() < extension.size()) return false;
  return std::equal(
      extension.begin(), extension.end(), name.end() - static_cast<long>(extension.size()),
      [](char e, char c) { return e == std::tolower(static_cast<unsigned char>(c)); });
}

}  // namespace

const char* trackKindName(TrackKind kind) {
  static const char* const names[trackKindCount] = {"circuit",
                                                    "sound",
                                                    "empty",
                                                    "cut",
                                                    "negative-objects",
                                                    "negative-points",
                                                    "negative-triangles",
                                                    "huge-points",
                                                    "huge-triangles",
                                                    "huge-objects",
                                                    "indices-out-of-range",
                                                    "garbage"};
  return names[static_cast<int>(kind)];
}

bool writeTrack(TrackKind kind, const std::string& path, Random& random) {
  if (kind == TrackKind::Circuit) {
    std::string error;
    return writeCircuit(path, circuitTriangles, random.next() % 1000, error);
  }
  const std::vector<unsigned char> bytes = trackBytes(kind, random);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written =
      bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

void fillTrackFolders(Random& random) {
  std::filesystem::create_directories("smx/folder.smx");
  std::filesystem::create_directories("smxU");
  for (int k = 0; k < trackKindCount; ++k) {
    const auto kind = static_cast<TrackKind>(k);
    writeTrack(kind, std::string("smx/") + trackKindName(kind) + ".smx", random);
  }
  writeTrack(TrackKind::Circuit, "smxU/circuit.smx", random);
  writeTrack(TrackKind::Cut, "smxU/cut.smx", random);
}

std::vector<std::string> trackPaths(bool withFolders) {
  std::vector<std::string> paths;
  for (const char* folder : {"smx", "smxU"}) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      const std::string name = entry.path().filename().string();
      if (endsWithSmx(name) && (withFolders || !entry.is_directory(error)))
        paths.push_back(folder + ("/" + name));
    }
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

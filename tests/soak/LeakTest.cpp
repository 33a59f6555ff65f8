// A thousand loads and closes of good and damaged tracks leave no display list and no memory
// behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Circuit.h"
#include "support/Footprint.h"
#include "ScreenBoxes.h"
#include "SoakTracks.h"
#include "support/RunningApp.h"

#if defined(__SANITIZE_ADDRESS__)
// A small quarantine hands freed memory back soon, so that growth still means a leak.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=8"; }
#endif

namespace {

constexpr int cycles = 1000;
constexpr int warmUpCycles = 100;
constexpr int fontGlyphs = 255;
// Growth stays well below a megabyte; a point buffer lost per cycle adds tens of megabytes.
constexpr std::int64_t noiseBytes = 8ll << 20;

// One file of each kind a cycle opens; the last one vanishes between listing and click.
const std::vector<std::string> trackFiles = {"smx/circuit.smx", "smx/circuit-cut.smx",
                                             "smx/bad-indices.smx", "smxU/bad-count.smx",
                                             "smxU/vanishing.smx"};

void writeTracks() {
  std::filesystem::create_directories("smx");
  std::filesystem::create_directories("smxU");
  // Big enough that a lost list or point buffer shows in the memory figures.
  std::string error;
  writeCircuit(trackFiles[0], 10000, 5, error);
  std::filesystem::copy_file(trackFiles[0], trackFiles[1]);
  std::filesystem::resize_file(trackFiles[1], std::filesystem::file_size(trackFiles[0]) * 3 / 5);
  Random random(11);
  writeTrack(TrackKind::BadIndices, trackFiles[2], random);
  writeTrack(TrackKind::BadCount, trackFiles[3], random);
  writeTrack(TrackKind::Sound, trackFiles[4], random);
}

double mebibytes(std::int64_t bytes) { return static_cast<double>(bytes) / (1 << 20); }

}  // namespace

TEST(Leaks, LoadAndCloseCyclesLeaveNoListAndNoMemoryBehind) {
  RunningApp running(writeTracks);
  ASSERT_TRUE(running.created);
  RecordingApp& app = running.app;
  const GLuint scanTo = static_cast<GLuint>(app.fontBase) + fontGlyphs + 2 * cycles + 256;
  const std::set<GLuint> atStart = liveLists(scanTo);
  ASSERT_EQ(atStart.size(), static_cast<std::size_t>(fontGlyphs)) << "only the font's glyphs";

  std::set<GLuint> handedOut;
  const std::int64_t residentAtStart = residentBytes();
  std::int64_t residentAfterWarmUp = 0;
  for (int cycle = 0; cycle < cycles; ++cycle) {
    if (cycle == warmUpCycles) residentAfterWarmUp = residentBytes();
    app.calls.clear();
    const std::string& path = trackFiles[cycle % trackFiles.size()];
    const int id = fileBoxId(app.panel, path);
    ASSERT_NE(id, 0) << path << " is listed";
    const bool vanishes = path == trackFiles.back();
    if (vanishes) std::filesystem::rename(path, "gone.smx");
    clickFileBox(app, id);
    if (vanishes) {
      ASSERT_FALSE(app.model.isLoaded()) << "cycle " << cycle;
      ASSERT_EQ(liveLists(scanTo), atStart) << "a failed load leaves no list, cycle " << cycle;
      std::filesystem::rename("gone.smx", path);
      app.buildScreen();
      continue;
    }
    ASSERT_TRUE(app.model.isLoaded()) << path << ", cycle " << cycle;
    // A user looks around before closing: each of these draws a frame.
    app.onKeyDown(keys::w);
    app.onMouseWheel(0, 0, 0, 120);
    app.onMouseMove(300, 200, mouseFlags::right);
    std::set<GLuint> added = liveLists(scanTo);
    for (const GLuint name : atStart) added.erase(name);
    ASSERT_EQ(added.size(), 1u) << "one list while a mesh is loaded, cycle " << cycle;
    handedOut.insert(*added.begin());

    clickCloseBox(app);
    ASSERT_FALSE(app.model.isLoaded());
    ASSERT_EQ(liveLists(scanTo), atStart) << "closing leaves only the glyphs, cycle " << cycle;
  }
  const std::int64_t residentAtEnd = residentBytes();

  for (const GLuint name : handedOut) EXPECT_FALSE(glIsList(name)) << name;
  const std::int64_t growth = residentAtEnd - residentAfterWarmUp;
  std::printf("%d load and close cycles: %d distinct list names handed out, none left\n", cycles,
              static_cast<int>(handedOut.size()));
  std::printf(
      "resident memory: %.1f MiB at start, %.1f MiB after %d cycles, %.1f MiB after %d, %+.2f MiB "
      "over the last %d\n",
      mebibytes(residentAtStart), mebibytes(residentAfterWarmUp), warmUpCycles,
      mebibytes(residentAtEnd), cycles, mebibytes(growth), cycles - warmUpCycles);
  ASSERT_GT(residentAtEnd, 0) << "the system tells the resident memory";
  EXPECT_LT(growth, noiseBytes);
}

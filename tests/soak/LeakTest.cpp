// A thousand loads and closes of good and damaged tracks leave no display list and no memory
// behind.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "BoxPositions.h"
#include "Circuit.h"
#include "ResidentMemory.h"
#include "SoakTracks.h"
#include "support/RunningApp.h"
#include "view/InputCodes.h"

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

// Big enough that a lost list or point buffer shows in the memory figures.
constexpr int circuitTriangles = 10000;

// Display-list names in use among 1 .. upTo.
std::set<GLuint> liveLists(GLuint upTo) {
  std::set<GLuint> live;
  for (GLuint name = 1; name <= upTo; ++name)
    if (glIsList(name)) live.insert(name);
  return live;
}

void writeFirstPart(const std::string& from, const std::string& to, double part) {
  std::ifstream in(from, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
  std::ofstream(to, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size() * part));
}

// One file of each kind a cycle opens; the last is removed after the list shows it.
const std::vector<std::string> trackFiles = {"smx/circuit.smx",         "smx/circuit-cut.smx",
                                             "smx/bad-indices.smx",     "smx/negative-points.smx",
                                             "smxU/huge-triangles.smx", "smxU/vanishing.smx"};

void writeTracks() {
  Random random(11);
  std::filesystem::create_directories("smx");
  std::filesystem::create_directories("smxU");
  std::string error;
  writeCircuit(trackFiles[0], circuitTriangles, 5, error);
  writeFirstPart(trackFiles[0], trackFiles[1], 0.6);
  writeTrack(TrackKind::IndicesOutOfRange, trackFiles[2], random);
  writeTrack(TrackKind::NegativePoints, trackFiles[3], random);
  writeTrack(TrackKind::HugeTriangles, trackFiles[4], random);
  writeTrack(TrackKind::Sound, trackFiles[5], random);
}

double mebibytes(std::int64_t bytes) { return static_cast<double>(bytes) / (1 << 20); }

}  // namespace

TEST(Leaks, LoadAndCloseCyclesLeaveNoListAndNoMemoryBehind) {
  RunningApp running(writeTracks);
  ASSERT_TRUE(running.created);
  RecordingApp& app = running.app;
  const auto click = [&](const WindowPoint& at) { app.onMouseUp(at.x, at.y, mouseFlags::left); };

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
    if (path == trackFiles.back()) {
      std::filesystem::rename(path, "gone.smx");
      click(fileBoxCentre(id));
      ASSERT_FALSE(app.model.isLoaded()) << "cycle " << cycle;
      ASSERT_EQ(liveLists(scanTo), atStart) << "a failed load leaves no list, cycle " << cycle;
      std::filesystem::rename("gone.smx", path);
      app.buildScreen();
      continue;
    }
    click(fileBoxCentre(id));
    ASSERT_TRUE(app.model.isLoaded()) << path << ", cycle " << cycle;
    // A user looks around before closing: each of these draws a frame.
    app.onKeyDown(keys::w);
    app.onMouseWheel(0, 0, 0, 120);
    app.onMouseMove(300, 200, mouseFlags::right);

    const std::set<GLuint> live = liveLists(scanTo);
    std::vector<GLuint> added;
    std::set_difference(live.begin(), live.end(), atStart.begin(), atStart.end(),
                        std::back_inserter(added));
    ASSERT_EQ(added.size(), 1u) << "one list while a mesh is loaded, cycle " << cycle;
    handedOut.insert(added[0]);

    click(closeBoxCentre());
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

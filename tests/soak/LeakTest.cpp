// Load and close cycles of good and damaged tracks leave no display list and no memory behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "Circuit.h"
#include "ScreenBoxes.h"
#include "support/Footprint.h"
#include "support/RunningApp.h"
#include "support/SmxBytes.h"

#if defined(__SANITIZE_ADDRESS__)
// A small quarantine hands freed memory back soon, so that growth still means a leak.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=8"; }
#endif

TEST(Leaks, LoadAndCloseCyclesLeaveNoListAndNoMemoryBehind) {
  constexpr int cycles = 300, warmUpCycles = 50;
  // The last file vanishes between listing and click.
  const std::vector<std::string> paths = {"smx/circuit.smx", "smx/cut.smx", "smxU/bad-count.smx", "smxU/vanishing.smx"};
  RunningApp running([&] {
    std::string error;
    std::filesystem::create_directories("smx");
    writeCircuit(paths[0], 40000, 5, error);  // big enough that a lost point buffer shows in memory
    std::filesystem::copy_file(paths[0], paths[1]);
    std::filesystem::resize_file(paths[1], std::filesystem::file_size(paths[0]) * 3 / 5);
    SmxBytes().header(1).object(0x7FFFFFFF, 1).writeTo(paths[2]);
    singleTriangleTrack().writeTo(paths[3]);
  });
  ASSERT_TRUE(running.created);
  ZarvoApp& app = running.app;
  const std::set<GLuint> glyphs = liveLists();
  std::int64_t residentAfterWarmUp = 0;
  for (int cycle = 0; cycle < cycles; ++cycle) {
    if (cycle == warmUpCycles) residentAfterWarmUp = residentBytes();
    running.app.calls.clear();
    const std::string& path = paths[cycle % paths.size()];
    const std::vector<std::string> shown = shownPaths(app.panel);
    const int id = int(std::find(shown.begin(), shown.end(), path) - shown.begin()) + 1;
    if (path == paths.back()) std::filesystem::rename(path, "gone.smx");
    clickFileBox(app, id);
    if (path == paths.back()) {
      ASSERT_FALSE(app.model.isLoaded()) << cycle;
      std::filesystem::rename("gone.smx", path);
      app.buildScreen();
    } else {
      ASSERT_TRUE(app.model.isLoaded()) << path << ", cycle " << cycle;
      app.onKeyDown(keys::w);  // a user looks around before closing
      app.onMouseWheel(0, 0, 0, 120);
      app.onMouseMove(300, 200, mouseFlags::right);
      clickCloseBox(app);
    }
    ASSERT_EQ(liveLists(), glyphs) << "cycle " << cycle;
  }
  const std::int64_t growth = residentBytes() - residentAfterWarmUp;
  std::printf("resident memory grew %+.2f MiB over the last %d cycles\n", double(growth) / (1 << 20), cycles - warmUpCycles);
  ASSERT_GT(residentAfterWarmUp, 0) << "the system tells the resident memory";
  EXPECT_LT(growth, 8 << 20);  // a point buffer lost each cycle adds tens of megabytes
}

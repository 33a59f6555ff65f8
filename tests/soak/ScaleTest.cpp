// A folder of thousands of tracks, and file names of every awkward shape, listed and loaded.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "ScreenBoxes.h"
#include "support/RunningApp.h"
#include "support/SmxBytes.h"
#include "support/WindowTitle.h"

namespace {

std::vector<std::string> sorted(std::vector<std::string> paths) {
  std::sort(paths.begin(), paths.end());
  return paths;
}

}  // namespace

TEST(Scale, TenThousandTracksAreListedAndTheReachableOnesLoad) {
  constexpr int trackCount = 10000;
  std::vector<std::string> paths;
  for (int i = 0; i < trackCount; ++i)
    paths.push_back((i % 2 ? "smxU/track" : "smx/track") + std::to_string(100000 + i) + ".smx");
  RunningApp running([&] {
    const SmxBytes track = singleTriangleTrack();
    for (const auto& path : paths) track.writeTo(path);
  });
  ASSERT_TRUE(running.created);
  RecordingApp& app = running.app;

  // The list is built again on every close; time it as that close would.
  const auto start = std::chrono::steady_clock::now();
  app.buildScreen();
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  std::printf("%d tracks: buildScreen %.1f ms\n", trackCount, took.count());
  EXPECT_EQ(sorted(shownPaths(app.panel)), sorted(paths));

  // The lowest box a window of 65535 pixels reaches.
  const int lowest = 65535 / 25 - 1;
  const std::string path = shownPaths(app.panel)[lowest - 1];
  clickFileBox(app, lowest);
  ASSERT_TRUE(app.model.isLoaded());
  EXPECT_EQ(app.model.path(), path);
  clickCloseBox(app);
  EXPECT_EQ(shownPaths(app.panel).size(), static_cast<std::size_t>(trackCount));
}

TEST(Scale, AwkwardFileNamesAreListedAndLoadCharacterForCharacter) {
  // The longest name most file systems hold is 255 bytes.
  const std::string longest = std::string(251, 'L') + ".smx";
  const std::vector<std::string> paths = {
      "smx/100%.smx", "smx/%s%n%x%%.smx", "smx/with space.smx", "smx/ leading space.smx",
      // Latin-1 letters, as the ANSI code page holds them
      "smx/caf\xe9 \xc5ngstr\xf6m \xfc\xdf\xff.smx",
      "smx/.hidden.smx", "smx/..two dots.smx", "smx/.smx", "smx/" + longest, "smxU/" + longest};
  RunningApp running([&] {
    for (const auto& path : paths) singleTriangleTrack().writeTo(path);
  });
  ASSERT_TRUE(running.created);
  RecordingApp& app = running.app;
  EXPECT_EQ(sorted(shownPaths(app.panel)), sorted(paths));
  for (const auto& path : paths) {
    const int id = fileBoxId(app.panel, path);
    ASSERT_NE(id, 0) << path;
    clickFileBox(app, id);
    ASSERT_TRUE(app.model.isLoaded()) << path;
    EXPECT_EQ(app.model.path(), path);
    EXPECT_EQ(windowTitle(), "Zarvo - " + path);
    clickCloseBox(app);
    ASSERT_FALSE(app.model.isLoaded()) << path;
  }
}

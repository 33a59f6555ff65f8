// A folder of thousands of tracks, and file names of every awkward shape, listed and loaded.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "ScreenBoxes.h"
#include "support/RunningApp.h"
#include "support/SmxBytes.h"
#include "support/WindowTitle.h"

TEST(Scale, ThousandsOfTracksAndAwkwardNamesAreListedAndLoadCharacterForCharacter) {
  const std::string longest = std::string(251, 'L') + ".smx";  // most file systems hold 255 bytes
  const std::vector<std::string> awkward = {"smx/100%.smx", "smx/%s%n%x%%.smx", "smx/ leading space.smx",
                                            "smx/caf\xe9 \xc5ngstr\xf6m \xfc\xdf\xff.smx",  // Latin-1, as the ANSI code page holds it
                                            "smx/.hidden.smx", "smx/..two dots.smx", "smx/.smx", "smx/" + longest, "smxU/" + longest};
  std::vector<std::string> paths = awkward;
  for (int i = 0; i < 3000; ++i) paths.push_back((i % 2 ? "smxU/track" : "smx/track") + std::to_string(10000 + i) + ".smx");
  RunningApp running([&] {
    for (const auto& path : paths) singleTriangleTrack().writeTo(path);
  });
  ASSERT_TRUE(running.created);
  ZarvoApp& app = running.app;
  const auto start = std::chrono::steady_clock::now();  // the list is built again on every close
  app.buildScreen();
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  std::printf("%d tracks: buildScreen %.1f ms\n", int(paths.size()), took.count());
  const std::vector<std::string> shown = shownPaths(app.panel);
  std::vector<std::string> sorted = shown;
  std::sort(sorted.begin(), sorted.end());
  std::sort(paths.begin(), paths.end());
  EXPECT_EQ(sorted, paths);
  for (std::size_t id = 1; id <= shown.size(); ++id) {
    // Every awkward name, and the lowest box a window of 65535 pixels reaches.
    const std::string& path = shown[id - 1];
    if (id != 65535 / 25 - 1 && std::find(awkward.begin(), awkward.end(), path) == awkward.end()) continue;
    clickFileBox(app, int(id));
    ASSERT_TRUE(app.model.isLoaded()) << path;
    EXPECT_EQ(app.model.path(), path);
    EXPECT_EQ(windowTitle(), "Zarvo - " + path);
    clickCloseBox(app);
  }
}

// A folder of thousands of tracks, and file names of every awkward shape, listed and loaded.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BoxPositions.h"
#include "support/RunningApp.h"
#include "support/SmxFile.h"
#include "support/WindowTitle.h"
#include "ui/Button.h"
#include "ui/Viewport.h"
#include "view/InputCodes.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::vector<std::string> shownPaths(const ButtonPanel& panel) {
  std::vector<std::string> shown;
  for (int id = 1; const Button* box = panel.get(id); ++id) shown.push_back(box->getText());
  return shown;
}

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

// Opens file box id as a user would: the window made tall enough, a left click on the box.
void openBox(ZarvoApp& app, int id) {
  const WindowPoint size = windowHolding(id);
  app.onResize(size.x, size.y);
  const WindowPoint centre = fileBoxCentre(id);
  app.onMouseUp(centre.x, centre.y, mouseFlags::left);
}

void closeMesh(ZarvoApp& app) {
  const WindowPoint centre = closeBoxCentre();
  app.onMouseUp(centre.x, centre.y, mouseFlags::left);
}

}  // namespace

TEST(Scale, TenThousandTracksAreListedAndTheReachableOnesLoad) {
  constexpr int trackCount = 10000;
  std::vector<std::string> paths;
  for (int i = 0; i < trackCount; ++i) {
    char path[32];
    std::snprintf(path, sizeof path, "%s/track%05d.smx", i % 2 ? "smxU" : "smx", i);
    paths.push_back(path);
  }
  RunningApp running([&] {
    std::filesystem::create_directories("smx");
    std::filesystem::create_directories("smxU");
    const std::vector<unsigned char> track = singleTriangleTrack().bytes();
    for (const auto& path : paths) writeBytes(path, track);
  });
  ASSERT_TRUE(running.created);
  RecordingApp& app = running.app;

  // The list is built again on every close; time it as that close would.
  const Clock::time_point built = Clock::now();
  app.buildScreen();
  const double buildMs = millisecondsSince(built);
  const Clock::time_point drawn = Clock::now();
  app.render();
  const double frameMs = millisecondsSince(drawn);
  const Clock::time_point hovered = Clock::now();
  app.onMouseMove(viewportWidth / 2, 10, 0);
  const double hoverMs = millisecondsSince(hovered);
  std::printf("%d tracks: buildScreen %.1f ms, one frame %.1f ms, one hover %.2f ms\n", trackCount,
              buildMs, frameMs, hoverMs);

  std::vector<std::string> shown = shownPaths(app.panel);
  ASSERT_EQ(shown.size(), paths.size());
  std::sort(shown.begin(), shown.end());
  std::sort(paths.begin(), paths.end());
  EXPECT_EQ(shown, paths);

  // The lowest box a window of 65535 pixels reaches.
  const int lowest = 65535 / 25 - 1;
  const std::string path = app.panel.get(lowest)->getText();
  openBox(app, lowest);
  ASSERT_TRUE(app.model.isLoaded());
  EXPECT_EQ(app.model.path(), path);
  closeMesh(app);
  EXPECT_EQ(shownPaths(app.panel).size(), static_cast<std::size_t>(trackCount));
}

TEST(Scale, AwkwardFileNamesAreListedAndLoadCharacterForCharacter) {
  // The longest name most file systems hold is 255 bytes.
  const std::string longest = std::string(251, 'L') + ".smx";
  const std::vector<std::string> paths = {
      "smx/100%.smx",
      "smx/%s%n%x%%.smx",
      "smx/with space.smx",
      "smx/ leading space.smx",
      "smx/caf\xe9 \xc5ngstr\xf6m \xfc\xdf\xff.smx",  // Latin-1 letters, as the ANSI code page
                                                      // holds them
      "smx/.hidden.smx",
      "smx/..two dots.smx",
      "smx/.smx",
      "smx/" + longest,
      "smxU/" + longest,
  };
  RunningApp running([&] {
    for (const auto& path : paths) singleTriangleTrack().writeTo(path);
  });
  ASSERT_TRUE(running.created);
  RecordingApp& app = running.app;
  std::vector<std::string> shown = shownPaths(app.panel);
  std::sort(shown.begin(), shown.end());
  std::vector<std::string> expected = paths;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(shown, expected);

  for (const auto& path : paths) {
    const int id = fileBoxId(app.panel, path);
    ASSERT_NE(id, 0) << path;
    openBox(app, id);
    ASSERT_TRUE(app.model.isLoaded()) << path;
    EXPECT_EQ(app.model.path(), path);
    EXPECT_EQ(windowTitle(), "Zarvo - " + path);
    closeMesh(app);
    ASSERT_FALSE(app.model.isLoaded()) << path;
  }
}

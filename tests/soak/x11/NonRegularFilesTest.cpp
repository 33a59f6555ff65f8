// Linux folders can hold pipes and devices under a track's name; none of them is listed,
// since opening a pipe waits for a writer and a device may never end. One that takes a
// listed track's place meanwhile cannot be opened, as a folder cannot on Windows.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "soak/ScreenBoxes.h"
#include "support/RunningApp.h"
#include "support/SmxBytes.h"

namespace fs = std::filesystem;

TEST(NonRegularFiles, PipesAndDevicesNamedLikeTracksAreNotListed) {
  RunningApp running([] {
    singleTriangleTrack().writeTo("smx/track.smx");
    mkfifo("smx/pipe.smx", 0600);
    fs::create_symlink("/dev/urandom", "smx/random.smx");
    fs::create_symlink("track.smx", "smx/link.smx");
    fs::create_symlink("nowhere.smx", "smx/dangling.smx");
  });
  ASSERT_TRUE(running.created);
  // A link to a track is a track; a dangling link is listed and fails to open, like a file deleted
  // meanwhile.
  EXPECT_EQ(shownPaths(running.app.panel),
            (std::vector<std::string>{"smx/dangling.smx", "smx/link.smx", "smx/track.smx"}));
}

TEST(NonRegularFiles, ATrackReplacedByAFolderOrADeviceLeadsBackToTheList) {
  RunningApp running([] {
    for (const char* name : {"a.smx", "b.smx", "c.smx"}) singleTriangleTrack().writeTo("smx/" + std::string(name));
  });
  ASSERT_TRUE(running.created);
  fs::remove("smx/a.smx");
  fs::create_directory("smx/a.smx");
  clickFileBox(running.app, 1);  // a.smx
  EXPECT_FALSE(running.app.model.isLoaded());
  EXPECT_EQ(shownPaths(running.app.panel), (std::vector<std::string>{"smx/b.smx", "smx/c.smx"}));
  fs::remove("smx/b.smx");
  fs::create_symlink("/dev/null", "smx/b.smx");
  clickFileBox(running.app, 1);  // b.smx, now first
  EXPECT_FALSE(running.app.model.isLoaded());

  for (const char* path : {"smx/a.smx", "smx/b.smx"}) {
    std::FILE* info = popen((ZARVO_SMXINFO " " + std::string(path) + " 2>&1").c_str(), "r");
    char said[200] = {};
    std::fgets(said, sizeof said, info);
    EXPECT_EQ(WEXITSTATUS(pclose(info)), 2) << path;
    EXPECT_EQ(said, "smxinfo: cannot open " + std::string(path) + "\n");
  }
}

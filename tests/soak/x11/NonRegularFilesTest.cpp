// Linux folders can hold pipes and devices under a track's name; none of them is listed, since
// opening a pipe waits for a writer and a device may never end. One that takes a listed track's
// place meanwhile cannot be opened, by the viewer or smxinfo, as a folder cannot on Windows.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "support/RunningApp.h"
#include "support/SmxBytes.h"
#include "ui/Button.h"

namespace fs = std::filesystem;

TEST(NonRegularFiles, PipesAndDevicesAreNotListedNorOpenedInATracksPlace) {
  RunningApp running([] {
    for (const char* name : {"a.smx", "b.smx", "track.smx"}) singleTriangleTrack().writeTo("smx/" + std::string(name));
    mkfifo("smx/pipe.smx", 0600);
    fs::create_symlink("/dev/urandom", "smx/random.smx");
    fs::create_symlink("track.smx", "smx/link.smx");
    fs::create_symlink("nowhere.smx", "smx/dangling.smx");  // listed, and fails to open like a file deleted meanwhile
  });
  ASSERT_TRUE(running.created);
  auto shown = [&] {
    std::vector<std::string> paths;
    for (int id = 1; const Button* box = running.app.panel.get(id); ++id) paths.push_back(box->getText());
    return paths;
  };
  EXPECT_EQ(shown(), (std::vector<std::string>{"smx/a.smx", "smx/b.smx", "smx/dangling.smx", "smx/link.smx", "smx/track.smx"}));
  fs::remove("smx/a.smx");
  fs::create_directory("smx/a.smx");
  running.openFile(1);  // a.smx
  EXPECT_FALSE(running.app.model.isLoaded());
  EXPECT_EQ(shown(), (std::vector<std::string>{"smx/b.smx", "smx/dangling.smx", "smx/link.smx", "smx/track.smx"}));
  fs::remove("smx/b.smx");
  fs::create_symlink("/dev/null", "smx/b.smx");
  running.openFile(1);  // b.smx, now first
  EXPECT_FALSE(running.app.model.isLoaded());

  for (const std::string path : {"smx/a.smx", "smx/b.smx"}) {
    std::FILE* info = popen((ZARVO_SMXINFO " " + path + " 2>&1").c_str(), "r");
    char said[200] = {};
    std::fgets(said, sizeof said, info);
    EXPECT_EQ(WEXITSTATUS(pclose(info)), 2) << path;
    EXPECT_EQ(said, "smxinfo: cannot open " + path + "\n");
  }
}

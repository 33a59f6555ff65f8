// Linux folders can hold pipes and devices under a track's name; none of them is listed, since
// opening a pipe waits for a writer and a device may never end. One that takes a listed track's
// place meanwhile cannot be opened, as a folder cannot on Windows.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/RunningApp.h"
#include "support/SmxBytes.h"
#include "ui/Button.h"

namespace fs = std::filesystem;

TEST(NonRegularFiles, PipesAndDevicesAreNotListedNorOpenedInATracksPlace) {
  RunningApp running([] {
    for (const char* path : {"smx/a.smx", "smx/b.smx", "smx/track.smx"}) singleTriangleTrack().writeTo(path);
    mkfifo("smx/pipe.smx", 0600);
    fs::create_symlink("/dev/urandom", "smx/random.smx");
    fs::create_symlink("track.smx", "smx/link.smx");
    fs::create_symlink("nowhere.smx", "smx/dangling.smx");  // listed, fails to open like a file deleted meanwhile
  });
  auto shown = [&] {  // the file list, each path followed by a space
    std::string all;
    for (int id = 1; const Button* box = running.app.panel.get(id); ++id) all += box->getText() + std::string(" ");
    return all;
  };
  EXPECT_EQ(shown(), "smx/a.smx smx/b.smx smx/dangling.smx smx/link.smx smx/track.smx ");
  fs::remove("smx/a.smx");
  fs::create_directory("smx/a.smx");
  running.openFile(1);  // a.smx
  EXPECT_FALSE(running.app.model.isLoaded());
  EXPECT_EQ(shown(), "smx/b.smx smx/dangling.smx smx/link.smx smx/track.smx ");
  fs::remove("smx/b.smx");
  fs::create_symlink("/dev/null", "smx/b.smx");
  running.openFile(1);  // b.smx, now first
  EXPECT_FALSE(running.app.model.isLoaded());
}

// Linux folders can hold pipes and devices under a track's name; none of them is listed,
// since opening a pipe waits for a writer and a device may never end.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "soak/ScreenBoxes.h"
#include "support/RunningApp.h"
#include "support/SmxBytes.h"

TEST(NonRegularFiles, PipesAndDevicesNamedLikeTracksAreNotListed) {
  RunningApp running([] {
    singleTriangleTrack().writeTo("smx/track.smx");
    mkfifo("smx/pipe.smx", 0600);
    std::filesystem::create_symlink("/dev/urandom", "smx/random.smx");
    std::filesystem::create_symlink("track.smx", "smx/link.smx");
    std::filesystem::create_symlink("nowhere.smx", "smx/dangling.smx");
  });
  ASSERT_TRUE(running.created);
  // A link to a track is a track; a dangling link is listed and fails to open, like a file deleted
  // meanwhile.
  EXPECT_EQ(shownPaths(running.app.panel),
            (std::vector<std::string>{"smx/dangling.smx", "smx/link.smx", "smx/track.smx"}));
}

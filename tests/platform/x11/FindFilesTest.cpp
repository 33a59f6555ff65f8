// Letter case ignored, folders flagged, names sorted, entries appended, no result for no match.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Platform.h"

TEST(FindFiles, MatchesLikeAWindowsDirectorySearch) {
  namespace fs = std::filesystem;
  const fs::path before = fs::current_path(), root = fs::path(testing::TempDir()) / ("zarvo-find-" + std::to_string(getpid()));
  fs::create_directories(root / "tracks" / "dir.smx");
  for (const char* name : {"b.smx", "A.SMX", "c.Smx", "_u.smx", "notes.txt", "x.smx.bak", "ab.smx"})
    std::ofstream(root / "tracks" / name) << "x";
  fs::current_path(root / "tracks");  // so that a pattern without a folder is tried too
  const char* const tracks = "A.SMX ab.smx b.smx c.Smx dir.smx/ _u.smx ";  // a trailing slash marks a folder
  const std::pair<const char*, std::string> searches[] = {
      {"*.smx", tracks}, {"../tracks/*.SMX", tracks}, {"?.smx", "A.SMX b.smx c.Smx "}, {"a*", "A.SMX ab.smx "},
      {"*", "./ ../ A.SMX ab.smx b.smx c.Smx dir.smx/ notes.txt x.smx.bak _u.smx "}, {"*.obj", ""}, {"../no/*.smx", ""}};
  for (const auto& [pattern, names] : searches) {
    std::vector<platform::DirectoryEntry> entries{{"earlier", false}};
    EXPECT_EQ(platform::findFiles(pattern, entries), !names.empty()) << pattern;
    std::string found;
    for (const auto& entry : entries) found += entry.name + (entry.isDirectory ? "/ " : " ");
    EXPECT_EQ(found, "earlier " + names) << pattern;
  }
  fs::current_path(before);
  fs::remove_all(root);
}

// The directory search: patterns matched without regard to letter case, folders flagged,
// names sorted, found entries appended, and no result for a missing folder or one without a match.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace {

namespace fs = std::filesystem;

class FindFilesTest : public testing::Test {
 protected:
  // The searches run from inside tracks/, so a pattern without a folder is tried too.
  void SetUp() override {
    fs::create_directories(root / "tracks" / "dir.smx");
    fs::create_directories(root / "empty");
    for (const char* name : {"b.smx", "A.SMX", "c.Smx", "_u.smx", "notes.txt", "x.smx.bak", "ab.smx"})
      std::ofstream(root / "tracks" / name) << "x";
    fs::current_path(root / "tracks");
  }
  void TearDown() override {
    fs::current_path(before);
    fs::remove_all(root);
  }
  const fs::path before = fs::current_path();
  const fs::path root = fs::path(testing::TempDir()) / ("zarvo-find-" + std::to_string(getpid()));
};

TEST_F(FindFilesTest, MatchesLikeAWindowsDirectorySearch) {
  using Names = std::vector<std::string>;
  const struct {
    const char* pattern;
    Names names;  // a trailing slash marks a folder
  } searches[] = {
      {"*.smx", {"A.SMX", "ab.smx", "b.smx", "c.Smx", "dir.smx/", "_u.smx"}},
      {"../tracks/*.SMX", {"A.SMX", "ab.smx", "b.smx", "c.Smx", "dir.smx/", "_u.smx"}},
      {"?.smx", {"A.SMX", "b.smx", "c.Smx"}},
      {"a*", {"A.SMX", "ab.smx"}},
      {"*.TXT", {"notes.txt"}},
      {"*", {"./", "../", "A.SMX", "ab.smx", "b.smx", "c.Smx", "dir.smx/", "notes.txt", "x.smx.bak", "_u.smx"}},
      {"*.obj", {}},
      {"../empty/*.smx", {}},
      {"../missing/*.smx", {}},
  };
  for (const auto& search : searches) {
    std::vector<platform::DirectoryEntry> entries{{"earlier", false}};
    const bool found = platform::findFiles(search.pattern, entries);
    EXPECT_EQ(found, !search.names.empty()) << search.pattern;
    Names names;
    for (const auto& entry : entries) names.push_back(entry.name + (entry.isDirectory ? "/" : ""));
    names.erase(names.begin());
    EXPECT_EQ(entries.front().name, "earlier") << search.pattern;
    EXPECT_EQ(names, search.names) << search.pattern;
  }
}

}  // namespace

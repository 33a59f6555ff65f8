// The directory search: patterns matched without regard to letter case, folders flagged,
// names sorted, and no result for a missing folder or one without a match.
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
  void SetUp() override {
    root = fs::path(testing::TempDir()) / ("zarvo-find-" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "tracks" / "dir.smx");
    fs::create_directories(root / "empty");
    for (const char* name :
         {"b.smx", "A.SMX", "c.Smx", "_u.smx", "notes.txt", "x.smx.bak", "ab.smx", "100%.smx"})
      std::ofstream(root / "tracks" / name) << "x";
  }
  void TearDown() override { fs::remove_all(root); }

  // Names found, with a trailing slash for folders; nullopt-like {"<false>"} when the search fails.
  std::vector<std::string> find(const std::string& pattern) const {
    std::vector<platform::DirectoryEntry> entries;
    const std::string path = (root / pattern).string();
    if (!platform::findFiles(path.c_str(), entries)) return {"<no search>"};
    std::vector<std::string> names;
    for (const auto& entry : entries) names.push_back(entry.name + (entry.isDirectory ? "/" : ""));
    return names;
  }

  fs::path root;
};

TEST_F(FindFilesTest, MatchesLikeAWindowsDirectorySearch) {
  const struct {
    const char* pattern;
    std::vector<std::string> names;
  } searches[] = {
      {"tracks/*.smx", {"100%.smx", "A.SMX", "ab.smx", "b.smx", "c.Smx", "dir.smx/", "_u.smx"}},
      {"tracks/*.SMX", {"100%.smx", "A.SMX", "ab.smx", "b.smx", "c.Smx", "dir.smx/", "_u.smx"}},
      {"tracks/?.smx", {"A.SMX", "b.smx", "c.Smx"}},
      {"tracks/a*", {"A.SMX", "ab.smx"}},
      {"tracks/*.bak", {"x.smx.bak"}},
      {"tracks/notes.txt", {"notes.txt"}},
      {"tracks/*",
       {"./", "../", "100%.smx", "A.SMX", "ab.smx", "b.smx", "c.Smx", "dir.smx/", "notes.txt",
        "x.smx.bak", "_u.smx"}},
      {"tracks/*.obj", {"<no search>"}},
      {"empty/*.smx", {"<no search>"}},
      {"missing/*.smx", {"<no search>"}},
  };
  for (const auto& search : searches)
    EXPECT_EQ(find(search.pattern), search.names) << search.pattern;
}

TEST_F(FindFilesTest, AppendsToEntriesAlreadyGathered) {
  std::vector<platform::DirectoryEntry> entries{{"earlier", false}};
  ASSERT_TRUE(platform::findFiles((root / "tracks/?.smx").c_str(), entries));
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].name, "earlier");
  EXPECT_EQ(entries[1].name, "A.SMX");
}

TEST_F(FindFilesTest, PatternWithoutFolderSearchesTheWorkingDirectory) {
  const fs::path before = fs::current_path();
  fs::current_path(root / "tracks");
  std::vector<platform::DirectoryEntry> entries;
  const bool found = platform::findFiles("*.TXT", entries);
  fs::current_path(before);
  ASSERT_TRUE(found);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "notes.txt");
  EXPECT_FALSE(entries[0].isDirectory);
}

}  // namespace

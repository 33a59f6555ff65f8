// Lists a folder's entries that match a file-name pattern, as a Windows directory search does.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "platform/Platform.h"

namespace platform {

namespace {

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// '*' matches any run of characters and '?' any one character; letter case is ignored.
bool matches(const char* pattern, const char* name) {
  if (*pattern == '\0') return *name == '\0';
  if (*pattern == '*')
    return matches(pattern + 1, name) || (*name != '\0' && matches(pattern, name + 1));
  if (*name == '\0') return false;
  return (*pattern == '?' || upper(*pattern) == upper(*name)) && matches(pattern + 1, name + 1);
}

enum class EntryKind { File, Directory, Special };

// NOTE: Linux folders also hold pipes, sockets and devices (or links to them); a Windows folder
// never does. Opening a pipe waits for a writer and a device may never end, so none is a track.
// A dangling link counts as a file: it is listed and fails to open, like a file deleted meanwhile.
EntryKind kindOf(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0 || S_ISREG(status.st_mode)) return EntryKind::File;
  return S_ISDIR(status.st_mode) ? EntryKind::Directory : EntryKind::Special;
}

// NOTE: readdir returns entries in no particular order; NTFS returns them sorted by their
// upper-case names, which is the order the file list shows on Windows.
bool byName(const DirectoryEntry& a, const DirectoryEntry& b) {
  return std::lexicographical_compare(a.name.begin(), a.name.end(), b.name.begin(), b.name.end(),
                                      [](char x, char y) { return upper(x) < upper(y); });
}

}  // namespace

bool findFiles(const char* pattern, std::vector<DirectoryEntry>& entries) {
  const std::string path = pattern;
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  const std::string namePattern = slash == std::string::npos ? path : path.substr(slash + 1);

  DIR* directory = opendir(folder.c_str());
  if (!directory) return false;
  const size_t firstFound = entries.size();
  while (const dirent* entry = readdir(directory)) {
    if (!matches(namePattern.c_str(), entry->d_name)) continue;
    const EntryKind kind = kindOf(folder + "/" + entry->d_name);
    if (kind == EntryKind::Special) continue;
    entries.push_back({entry->d_name, kind == EntryKind::Directory});
  }
  closedir(directory);
  std::sort(entries.begin() + static_cast<long>(firstFound), entries.end(), byName);
  return entries.size() > firstFound;
}

}  // namespace platform

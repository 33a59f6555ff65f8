// Directory search with the system's own pattern matching (letter case ignored).
#include <windows.h>

#include "platform/Platform.h"

bool platform::findFiles(const char* pattern, std::vector<DirectoryEntry>& entries) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    entries.push_back({found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return true;
}

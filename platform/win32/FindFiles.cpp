// Directory search with the system's own pattern matching (letter case ignored).
#include <windows.h>

#include "platform/Platform.h"
#include "platform/win32/WideText.h"

bool platform::findFiles(const char* pattern, std::vector<DirectoryEntry>& entries) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    // ANSI names, as ever: a character the code page cannot hold comes back as '?'.
    entries.push_back({win32::utf8FromAnsi(found.cFileName), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return true;
}

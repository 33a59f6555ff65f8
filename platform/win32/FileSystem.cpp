// Files and folders by UTF-8 path, through the wide functions: a name the ANSI code page cannot hold opens too.
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <io.h>

#include "platform/Platform.h"
#include "platform/win32/WideText.h"

namespace platform {

std::FILE* openFile(const std::string& path) {
  const std::wstring wide = win32::wideFromUtf8(path);
  // NOTE: Windows refuses to open a folder with EACCES; the reason the program gives is that it is one.
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    errno = EISDIR;
    return nullptr;
  }
  std::FILE* file = _wfopen(wide.c_str(), L"rb");
  // NOTE: a device's name (NUL, CON, COM1) opens the device; only a file on a disk is a track.
  if (file && GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != FILE_TYPE_DISK) {
    std::fclose(file);
    errno = ENODEV;
    return nullptr;
  }
  return file;
}

// NOTE: Wine enters a pipe or a device (a FIFO, /dev/zero, NUL) as if it were a folder; Windows refuses them.
bool changeFolder(const std::string& path) {
  const std::wstring wide = win32::wideFromUtf8(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         SetCurrentDirectoryW(wide.c_str());
}

std::string workingFolder() {
  std::wstring path(GetCurrentDirectoryW(0, nullptr), L'\0');
  path.resize(GetCurrentDirectoryW(static_cast<DWORD>(path.size()), path.data()));
  return win32::utf8FromWide(path);
}

}  // namespace platform

// The files of a drop on the window, read with the wide functions so that any name arrives whole.
#include "platform/win32/DroppedFiles.h"

#include <shellapi.h>

#include "platform/win32/Win32Text.h"

namespace {

constexpr UINT countQuery = 0xFFFFFFFF;

}  // namespace

std::vector<std::string> takeDroppedFiles(HDROP drop) {
  std::vector<std::string> paths;
  const UINT count = DragQueryFileW(drop, countQuery, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    paths.push_back(utf8FromWide(path));
  }
  DragFinish(drop);
  return paths;
}

// The files of a drop on the window, read with the wide functions so that any name arrives whole.
#include "platform/win32/DropTarget.h"

#include <shellapi.h>

#include <cwctype>

#include "platform/win32/WideText.h"

namespace platform::win32 {

namespace {

constexpr UINT countQuery = 0xFFFFFFFF;

bool isSlash(wchar_t c) { return c == L'\\' || c == L'/'; }

// NOTE: Explorer drops whole paths (C:\..., or \\server\share\... for another machine, which Windows opens itself);
// another program's relative path would be taken against the working folder, as a bare path in a URI list would.
bool isWholePath(const std::wstring& path) {
  return (path.size() > 2 && std::iswalpha(path[0]) && path[1] == L':' && isSlash(path[2])) ||
         (path.size() > 1 && isSlash(path[0]) && isSlash(path[1]));
}

}  // namespace

std::vector<DroppedItem> takeDroppedFiles(HDROP drop) {
  std::vector<DroppedItem> items;
  const UINT count = DragQueryFileW(drop, countQuery, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    // NOTE: an empty name ends the list. Wine hands over a URI of another host or scheme, dropped from an X program,
    // as one, and counts what its memory holds after it as another name.
    if (path.empty()) break;
    items.push_back({utf8FromWide(path), isWholePath(path)});
  }
  DragFinish(drop);
  return items;
}

}  // namespace platform::win32

// Reading a text/uri-list into the local paths it names and the rest.
#include "platform/DroppedItems.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/Platform.h"

namespace {

bool equalIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

int hexValue(char c) {
  const char* digits = "0123456789abcdef";
  const char* at = std::strchr(digits, std::tolower(static_cast<unsigned char>(c)));
  return c != '\0' && at ? static_cast<int>(at - digits) : -1;
}

// False for an escape that is not two hex digits, and for %00, which would cut the path short where the
// system reads it.
bool decodeEscapes(const std::string& text, std::string& decoded) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      decoded += text[i];
      continue;
    }
    const int high = i + 2 < text.size() ? hexValue(text[i + 1]) : -1;
    const int low = high >= 0 ? hexValue(text[i + 2]) : -1;
    if (low < 0 || high + low == 0) return false;
    decoded += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return true;
}

bool isThisMachine(const std::string& host) {
  return host.empty() || equalIgnoringCase(host, "localhost") || equalIgnoringCase(host, platform::hostName());
}

// file:/path, file:///path or file://host/path, where the host is this machine.
bool localPathOf(const std::string& uri, std::string& path) {
  const size_t colon = uri.find(':');
  if (colon == std::string::npos || !equalIgnoringCase(uri.substr(0, colon), "file")) return false;
  // The path ends where a query or a fragment begins.
  std::string rest = uri.substr(colon + 1, uri.find_first_of("?#") - colon - 1);
  if (rest.compare(0, 2, "//") == 0) {
    const size_t slash = rest.find('/', 2);
    if (slash == std::string::npos || !isThisMachine(rest.substr(2, slash - 2))) return false;
    rest.erase(0, slash);
  }
  return !rest.empty() && rest[0] == '/' && decodeEscapes(rest, path);
}

}  // namespace

std::vector<DroppedItem> itemsOfUriList(const std::string& list) {
  std::vector<DroppedItem> items;
  for (size_t start = 0; start < list.size();) {
    const size_t end = std::min(list.find('\n', start), list.size());
    std::string line = list.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::string path;
    const bool local = localPathOf(line, path);
    items.push_back({local ? path : line, local});
  }
  return items;
}

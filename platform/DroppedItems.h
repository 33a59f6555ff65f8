// What a drop on the window holds, and the text/uri-list (RFC 2483) in which X sources send it.
#pragma once

#include <string>
#include <vector>

// One item of a drop: a local file's UTF-8 path, or, as it stands, what names no local file (another host or
// scheme, a malformed URI, a bare path).
struct DroppedItem {
  std::string text;
  bool isLocalFile;
  bool operator==(const DroppedItem& other) const { return text == other.text && isLocalFile == other.isLocalFile; }
};

// The items of a text/uri-list: lines end in CRLF or LF, and '#' lines are comments. A file: URI (RFC 8089, in any
// letter case) with no host, "localhost" or this machine's name is a local path, its escapes decoded; one with a
// broken escape or an escaped NUL is refused.
std::vector<DroppedItem> itemsOfUriList(const std::string& list);

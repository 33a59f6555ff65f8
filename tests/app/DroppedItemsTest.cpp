// The lines of a text/uri-list and what each names: a local file's path, or a refusal that keeps the line.
#include <gtest/gtest.h>

#include "platform/DroppedItems.h"
#include "platform/Platform.h"

void PrintTo(const DroppedItem& item, std::ostream* out) {
  *out << (item.isLocalFile ? "path " : "refused ") << item.text;
}

namespace {

TEST(DroppedItems, AUriListNamesLocalFilesByTheBookAndRefusesTheRest) {
  const std::string host = platform::hostName();
  ASSERT_FALSE(host.empty());
  const struct { std::string line, path; } rows[] = {  // no path: refused
      {"file:///tmp/a%20b.smx", "/tmp/a b.smx"}, {"FILE://LocalHost/tmp/%C3%BC%e9.smx", "/tmp/\xc3\xbc\xe9.smx"},
      {"file://" + host + "/tmp/x.smx", "/tmp/x.smx"}, {"file:/tmp/x.smx", "/tmp/x.smx"},
      {"file:///tmp/x.smx?query#part", "/tmp/x.smx"}, {"file://otherhost/tmp/x.smx", ""},
      {"http://example.com/a.smx", ""}, {"file:///etc/passwd%00.smx", ""}, {"file:///tmp/%zz.smx", ""},
      {"file:///tmp/x.smx%2", ""}, {"file://localhost", ""}, {"file:tmp/x.smx", ""}, {"smx/club-circuit.smx", ""},
      {"/tmp/x.smx", ""}};
  std::string list = "# a comment\r\n\r\n";
  std::vector<DroppedItem> expected;
  for (const auto& row : rows) {
    list += row.line + ((&row - rows) % 2 ? "\r\n" : "\n");
    expected.push_back({row.path.empty() ? row.line : row.path, !row.path.empty()});
  }
  EXPECT_EQ(itemsOfUriList(list + "#file:///tmp/last.smx"), expected);
}

}  // namespace

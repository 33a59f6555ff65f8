// The reader on hand-made files: every defect kind, and cuts at every byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <tuple>

#include "mesh/SmxFormat.h"
#include "mesh/SmxReader.h"
#include "support/SmxBytes.h"

namespace {

using Kind = SmxDefect::Kind;
using Defect = std::tuple<Kind, std::int64_t, std::int64_t>;  // kind, offset, value

struct ReadResult {
  bool headerRead = false;
  std::vector<std::int64_t> xs;  // of each corner of each drawable triangle
  std::vector<Defect> defects;
  std::int64_t offset = 0;
};

ReadResult readSmx(const std::string& path, bool sizeKnown = true) {
  ReadResult r;
  std::vector<bool> ends;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  SmxReader reader(file, sizeKnown ? SmxReader::sizeOf(file) : std::numeric_limits<std::int64_t>::max(),
                   [&](const SmxDefect& d) { r.defects.push_back({d.kind, d.offset, d.value}); ends.push_back(d.endsFile()); });
  unsigned char header[smx::fileHeaderSize];
  r.headerRead = reader.readHeader(header);
  while (reader.nextObject())
    while (reader.nextTriangle())
      for (int k = 0; k < 3; ++k) r.xs.push_back(smx::getInt32(reader.corner(k)));
  r.offset = reader.offset();
  std::fclose(file);
  for (std::size_t i = 0; i < ends.size(); ++i) EXPECT_EQ(ends[i], reader.endedEarly() && i + 1 == ends.size()) << i;
  return r;
}

// Points whose x is their number plus base, so a corner shows which point it came from.
SmxBytes withPoints(SmxBytes file, int count, int base) {
  for (int i = 0; i < count; ++i) file.point(base + i, 2 * i, 3 * i, 1, 2, 3);
  return file;
}

TEST(SmxReader, YieldsTheDrawableTrianglesAndReportsEachDefectWhereItLies) {
  constexpr std::int32_t maxCount = std::numeric_limits<std::int32_t>::max();
  const struct {
    const char* name; SmxBytes file; std::vector<std::int64_t> xs; std::vector<Defect> defects;
    std::int64_t end;  // where reading stops; -1 for the end of the file
    bool sizeKnown = true;
  } cases[] = {
      {"no objects", withPoints(SmxBytes().header(0).object(3, 1), 3, 0).triangle(0, 1, 2), {}, {}, 64},
      {"negative object count", SmxBytes().header(-1).object(0, 0), {}, {{Kind::NegativeObjectCount, 60, -1}}, 64},
      // Indices count from 0 in each object; one without triangles is read past.
      {"three objects", withPoints(withPoints(withPoints(SmxBytes().header(3).object(2, 0), 2, 100).object(3, 2), 3, 10)
                                       .triangle(0, 1, 2).triangle(2, 1, 0).object(4, 1), 4, 20).triangle(0, 3, 1),
       {10, 11, 12, 12, 11, 10, 20, 23, 21}, {}, -1},
      {"negative triangle count", withPoints(withPoints(SmxBytes().header(2).object(2, -5), 2, 100).object(3, 1), 3, 200)
                                      .triangle(2, 0, 1), {202, 200, 201}, {{Kind::NegativeTriangleCount, 84, -5}}, -1},
      // With 65536 points index FFFF reaches the last point; with one point fewer it names none.
      {"index FFFF of 65536 points", withPoints(SmxBytes().header(1).object(65536, 1), 65536, 0).triangle(0xFFFF, 0, 1),
       {65535, 0, 1}, {}, -1},
      // Points no index reaches are skipped unread; the next object is found all the same.
      {"70000 points", withPoints(withPoints(SmxBytes().header(2).object(70000, 1), 70000, 0).triangle(0xFFFF, 0, 1).object(3, 1), 3, 10)
                           .triangle(0, 1, 2), {65535, 0, 1, 10, 11, 12}, {}, -1},
      {"index FFFF of 65535 points", withPoints(SmxBytes().header(1).object(65535, 2), 65535, 0).triangle(0xFFFF, 0, 1).triangle(1, 2, 3),
       {1, 2, 3}, {{Kind::IndexOutOfRange, 88 + 65535 * 16, 0xFFFF}}, -1},
      {"indices not below the point count", withPoints(SmxBytes().header(1).object(3, 3), 3, 0).triangle(0, 1, 3).triangle(7, 1, 2).triangle(2, 0, 1),
       {2, 0, 1}, {{Kind::IndexOutOfRange, 140, 3}, {Kind::IndexOutOfRange, 144, 7}}, -1},
      // No points, not even the previous object's: every corner names none.
      {"negative point count", withPoints(SmxBytes().header(2).object(3, 1), 3, 50).triangle(0, 1, 2).object(-3, 1).triangle(0, 1, 2),
       {50, 51, 52}, {{Kind::NegativePointCount, 160, -3}, {Kind::IndexOutOfRange, 168, 0},
                      {Kind::IndexOutOfRange, 170, 1}, {Kind::IndexOutOfRange, 172, 2}}, -1},
      {"largest point count", withPoints(SmxBytes().header(1).object(maxCount, 1), 3, 0), {},
       {{Kind::PointsBeyondFile, 88, maxCount}}, 88},
      {"point block cut, size unknown", withPoints(SmxBytes().header(1).object(4, 1), 3, 0), {}, {{Kind::ShortPoints, 88, 48}}, -1, false},
      {"triangle count beyond the file", withPoints(SmxBytes().header(1).object(3, 5), 3, 0).triangle(0, 1, 2).triangle(1, 2, 0),
       {0, 1, 2, 1, 2, 0}, {{Kind::ShortTriangle, 152, 0}}, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ReadResult r = readSmx(c.file.writeTo("reader-case.smx"), c.sizeKnown);
    EXPECT_TRUE(r.headerRead && r.xs == c.xs && r.defects == c.defects);
    EXPECT_EQ(r.offset, c.end < 0 ? std::int64_t(c.file.size()) : c.end);
  }
}

TEST(SmxReader, FileCutAtEveryByteKeepsTheWholeTrianglesBeforeTheCut) {
  const SmxBytes file = withPoints(withPoints(SmxBytes().header(2).object(3, 2), 3, 0)
                                       .triangle(0, 1, 2).triangle(2, 1, 0).object(2, 0), 2, 10);
  // Where each record starts, what a cut inside it reports (for point blocks, with the point
  // count rather than the bytes left) and the triangles whole before it.
  const std::tuple<std::int64_t, Kind, std::int64_t, int> records[] = {
      {0, Kind::ShortFileHeader, 0, 0},  {64, Kind::ShortObjectHeader, 0, 0}, {88, Kind::PointsBeyondFile, 3, 0},
      {136, Kind::ShortTriangle, 0, 0},  {144, Kind::ShortTriangle, 0, 1},    {152, Kind::ShortObjectHeader, 0, 2},
      {176, Kind::PointsBeyondFile, 2, 2}};
  const std::vector<std::int64_t> xs{0, 1, 2, 2, 1, 0};
  for (std::size_t length = 0, in = 0; length < file.size(); ++length) {
    SCOPED_TRACE(length);
    if (in + 1 < std::size(records) && std::get<0>(records[in + 1]) <= std::int64_t(length)) ++in;
    const auto [start, kind, count, triangles] = records[in];
    const bool pointBlock = kind == Kind::PointsBeyondFile;
    const ReadResult r = readSmx(file.cut(length).writeTo("reader-cut.smx"));
    EXPECT_EQ(r.defects, (std::vector<Defect>{{kind, start, pointBlock ? count : std::int64_t(length) - start}}));
    EXPECT_TRUE(r.headerRead == (length >= 64) && r.xs == decltype(xs)(xs.begin(), xs.begin() + 3 * triangles));
    EXPECT_EQ(r.offset, pointBlock ? start : std::int64_t(length));
  }
}

}  // namespace

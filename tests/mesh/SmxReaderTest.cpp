#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <limits>

#include "mesh/SmxFormat.h"
#include "mesh/SmxReader.h"
#include "support/SmxBytes.h"

namespace {

using Kind = SmxDefect::Kind;
using Defect = std::array<std::int64_t, 4>;  // kind, offset, value, whether reading stopped there

struct ReadResult {
  bool headerRead = false;
  std::vector<std::array<std::int64_t, 6>> corners;  // x, y, z, blue, green, red: three per drawable triangle
  std::vector<Defect> defects;
  std::int64_t offset = 0;
};

ReadResult readSmx(const SmxBytes& bytes, bool sizeKnown = true) {
  ReadResult r;
  std::FILE* file = std::fopen(bytes.write().c_str(), "rb");
  SmxReader reader(file, sizeKnown ? SmxReader::sizeOf(file) : std::numeric_limits<std::int64_t>::max(),
                   [&](const SmxDefect& d) { r.defects.push_back({std::int64_t(d.kind), d.offset, d.value, d.endsFile()}); });
  unsigned char header[smx::fileHeaderSize];
  r.headerRead = reader.readHeader(header);
  while (reader.nextObject())
    while (reader.nextTriangle())
      for (int k = 0; k < 3; ++k) {
        const unsigned char* p = reader.corner(k);
        r.corners.push_back({smx::getInt32(p), smx::getInt32(p + 4), smx::getInt32(p + 8), p[12], p[13], p[14]});
      }
  r.offset = reader.offset();
  std::fclose(file);
  return r;
}

Defect defect(Kind kind, std::int64_t offset, std::int64_t value) {
  const bool stops = kind != Kind::NegativeObjectCount && kind != Kind::NegativePointCount &&
                     kind != Kind::NegativeTriangleCount && kind != Kind::IndexOutOfRange;
  return {std::int64_t(kind), offset, value, stops};
}

// Points whose x is their number plus base, so a corner shows which point it came from.
SmxBytes withPoints(SmxBytes file, int count, int base) {
  for (int i = 0; i < count; ++i) file.point(base + i, 2 * i, 3 * i, 1, 2, 3);
  return file;
}

TEST(SmxReader, YieldsTheDrawableTrianglesAndReportsEachDefectWhereItLies) {
  constexpr std::int32_t maxCount = std::numeric_limits<std::int32_t>::max();
  const struct {
    const char* name;
    SmxBytes file;
    std::vector<std::int64_t> xs;
    std::vector<Defect> defects;
    std::int64_t end;  // where reading stops; -1 for the end of the file
    bool sizeKnown = true;
  } cases[] = {
      {"no objects", withPoints(SmxBytes().header(0).object(3, 1), 3, 0).triangle(0, 1, 2), {}, {}, 64},
      {"negative object count", SmxBytes().header(-1).object(0, 0), {}, {defect(Kind::NegativeObjectCount, 60, -1)}, 64},
      // Indices count from 0 in each object; one without triangles is read past.
      {"three objects", withPoints(withPoints(withPoints(SmxBytes().header(3).object(2, 0), 2, 100).object(3, 2), 3, 10)
                                       .triangle(0, 1, 2).triangle(2, 1, 0).object(4, 1), 4, 20).triangle(0, 3, 1),
       {10, 11, 12, 12, 11, 10, 20, 23, 21}, {}, -1},
      {"negative triangle count", withPoints(withPoints(SmxBytes().header(2).object(2, -5), 2, 100).object(3, 1), 3, 200)
                                      .triangle(2, 0, 1), {202, 200, 201}, {defect(Kind::NegativeTriangleCount, 84, -5)}, -1},
      // With 65536 points index FFFF reaches the last point; with one point fewer it names none.
      {"index FFFF of 65536 points", withPoints(SmxBytes().header(1).object(65536, 1), 65536, 0).triangle(0xFFFF, 0, 1),
       {65535, 0, 1}, {}, -1},
      {"index FFFF of 65535 points", withPoints(SmxBytes().header(1).object(65535, 2), 65535, 0).triangle(0xFFFF, 0, 1).triangle(1, 2, 3),
       {1, 2, 3}, {defect(Kind::IndexOutOfRange, 88 + 65535 * 16, 0xFFFF)}, -1},
      {"indices not below the point count", withPoints(SmxBytes().header(1).object(3, 3), 3, 0).triangle(0, 1, 3).triangle(7, 1, 2).triangle(2, 0, 1),
       {2, 0, 1}, {defect(Kind::IndexOutOfRange, 140, 3), defect(Kind::IndexOutOfRange, 144, 7)}, -1},
      // No points, not even the previous object's: every corner names none.
      {"negative point count", withPoints(SmxBytes().header(2).object(3, 1), 3, 50).triangle(0, 1, 2).object(-3, 1).triangle(0, 1, 2),
       {50, 51, 52}, {defect(Kind::NegativePointCount, 160, -3), defect(Kind::IndexOutOfRange, 168, 0),
                      defect(Kind::IndexOutOfRange, 170, 1), defect(Kind::IndexOutOfRange, 172, 2)}, -1},
      {"largest point count", withPoints(SmxBytes().header(1).object(maxCount, 1), 3, 0), {},
       {defect(Kind::PointsBeyondFile, 88, maxCount)}, 88},
      {"point block cut, size unknown", withPoints(SmxBytes().header(1).object(4, 1), 3, 0), {},
       {defect(Kind::ShortPoints, 88, 48)}, -1, false},
      {"triangle count beyond the file", withPoints(SmxBytes().header(1).object(3, 5), 3, 0).triangle(0, 1, 2).triangle(1, 2, 0),
       {0, 1, 2, 1, 2, 0}, {defect(Kind::ShortTriangle, 152, 0)}, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ReadResult r = readSmx(c.file, c.sizeKnown);
    std::vector<std::int64_t> xs;
    for (const auto& corner : r.corners) xs.push_back(corner[0]);
    EXPECT_TRUE(r.headerRead);
    EXPECT_EQ(xs, c.xs);
    EXPECT_EQ(r.defects, c.defects);
    EXPECT_EQ(r.offset, c.end < 0 ? std::int64_t(c.file.size()) : c.end);
  }
}

TEST(SmxReader, FileCutAtEveryByteKeepsTheWholeTrianglesBeforeTheCut) {
  const SmxBytes file = withPoints(withPoints(SmxBytes().header(2, 9, 8, 7).object(3, 2), 3, 0)
                                       .triangle(0, 1, 2).triangle(2, 1, 0).object(2, 0), 2, 10);
  // Where each record starts and what a cut inside it reports (for point blocks, with the point count).
  const std::tuple<std::int64_t, Kind, std::int64_t> records[] = {
      {0, Kind::ShortFileHeader, 0},  {64, Kind::ShortObjectHeader, 0}, {88, Kind::PointsBeyondFile, 3},
      {136, Kind::ShortTriangle, 0},  {144, Kind::ShortTriangle, 0},    {152, Kind::ShortObjectHeader, 0},
      {176, Kind::PointsBeyondFile, 2}};
  const ReadResult whole = readSmx(file);
  ASSERT_EQ(whole.corners.size(), 6u);
  EXPECT_EQ(whole.corners[1], (std::array<std::int64_t, 6>{1, 2, 3, 1, 2, 3}));
  ASSERT_TRUE(whole.defects.empty());
  ASSERT_EQ(whole.offset, 208);
  for (std::size_t length = 0, in = 0; length < file.size(); ++length) {
    SCOPED_TRACE(length);
    if (in + 1 < std::size(records) && std::get<0>(records[in + 1]) <= std::int64_t(length)) ++in;
    const auto [start, kind, count] = records[in];
    const bool pointBlock = kind == Kind::PointsBeyondFile;
    const ReadResult r = readSmx(file.cut(length));
    EXPECT_EQ(r.defects, std::vector{defect(kind, start, pointBlock ? count : std::int64_t(length) - start)});
    EXPECT_EQ(r.headerRead, length >= 64);
    const std::size_t wholeTriangles = in >= 5 ? 2 : in == 4 ? 1 : 0;
    EXPECT_EQ(r.corners, decltype(r.corners)(whole.corners.begin(), whole.corners.begin() + 3 * wholeTriangles));
    EXPECT_EQ(r.offset, pointBlock ? start : std::int64_t(length));
  }
}

}  // namespace

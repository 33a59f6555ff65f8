#include <gtest/gtest.h>

#include <limits>

#include "ReadSmx.h"
#include "support/SmxBytes.h"

namespace {

using Kind = SmxDefect::Kind;

struct ExpectedDefect {
  Kind kind;
  std::int64_t offset;
  std::int64_t value;
};

void expectDefects(const std::vector<SmxDefect>& seen, const std::vector<ExpectedDefect>& expected) {
  ASSERT_EQ(seen.size(), expected.size());
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].kind, expected[i].kind) << "defect " << i;
    EXPECT_EQ(seen[i].offset, expected[i].offset) << "defect " << i;
    EXPECT_EQ(seen[i].value, expected[i].value) << "defect " << i;
  }
}

std::vector<std::int32_t> xsOf(const std::vector<Corner>& corners) {
  std::vector<std::int32_t> xs;
  for (const auto& c : corners) xs.push_back(c.x);
  return xs;
}

// Points whose x is their number plus base, so a corner shows which point it came from.
SmxBytes& numberedPoints(SmxBytes& file, int count, int base) {
  for (int i = 0; i < count; ++i) file.point(base + i, 2 * i, 3 * i, 1, 2, 3);
  return file;
}

TEST(SmxReader, ObjectCountOfZeroOrLessReadsNothingPastTheHeader) {
  struct Case {
    std::int32_t count;
    std::vector<ExpectedDefect> defects;
  };
  const Case cases[] = {
      {0, {}},
      {-1, {{Kind::NegativeObjectCount, 60, -1}}},
      {std::numeric_limits<std::int32_t>::min(), {{Kind::NegativeObjectCount, 60, std::numeric_limits<std::int32_t>::min()}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    SmxBytes file;
    file.header(c.count).object(3, 1);
    numberedPoints(file, 3, 0).triangle(0, 1, 2);
    const ReadResult r = readSmx(file.write());
    EXPECT_TRUE(r.headerRead);
    EXPECT_TRUE(r.corners.empty());
    EXPECT_EQ(r.offset, 64);
    expectDefects(r.defects, c.defects);
  }
}

TEST(SmxReader, ObjectWithoutTrianglesHasItsPointsReadPast) {
  for (const std::int32_t triangles : {0, -5}) {
    SCOPED_TRACE(triangles);
    SmxBytes file;
    file.header(2).object(2, triangles);
    numberedPoints(file, 2, 100).object(3, 1);
    numberedPoints(file, 3, 200).triangle(2, 0, 1);
    const ReadResult r = readSmx(file.write());
    EXPECT_EQ(xsOf(r.corners), (std::vector<std::int32_t>{202, 200, 201}));
    EXPECT_EQ(r.offset, static_cast<std::int64_t>(file.size()));
    if (triangles < 0)
      expectDefects(r.defects, {{Kind::NegativeTriangleCount, 64 + 20, triangles}});
    else
      EXPECT_TRUE(r.defects.empty());
  }
}

TEST(SmxReader, IndicesCountFromZeroWithinEachObjectAndKeepTheirOrder) {
  SmxBytes file;
  file.header(2).object(3, 2);
  numberedPoints(file, 3, 10).triangle(0, 1, 2).triangle(2, 1, 0).object(4, 1);
  numberedPoints(file, 4, 20).triangle(0, 3, 1);
  const ReadResult r = readSmx(file.write());
  EXPECT_EQ(xsOf(r.corners), (std::vector<std::int32_t>{10, 11, 12, 12, 11, 10, 20, 23, 21}));
  EXPECT_EQ(r.corners[0], (Corner{10, 0, 0, 1, 2, 3}));
  EXPECT_TRUE(r.defects.empty());
}

TEST(SmxReader, IndexFFFFIsPoint65535AndNeverBelowZero) {
  // With 65536 points the last index reaches the last point; with one point fewer it names none.
  for (const int points : {65536, 65535}) {
    SCOPED_TRACE(points);
    SmxBytes file;
    file.header(1).object(points, 2);
    numberedPoints(file, points, 0).triangle(0xFFFF, 0, 1).triangle(1, 2, 3);
    const ReadResult r = readSmx(file.write(std::to_string(points)));
    const std::int64_t firstRecord = 64 + 24 + std::int64_t{points} * 16;
    if (points == 65536) {
      EXPECT_EQ(xsOf(r.corners), (std::vector<std::int32_t>{65535, 0, 1, 1, 2, 3}));
      EXPECT_TRUE(r.defects.empty());
    } else {
      EXPECT_EQ(xsOf(r.corners), (std::vector<std::int32_t>{1, 2, 3}));
      expectDefects(r.defects, {{Kind::IndexOutOfRange, firstRecord, 0xFFFF}});
    }
    EXPECT_EQ(r.largestObject, points);
  }
}

TEST(SmxReader, BadCountsAndIndicesAreReportedWhereTheyLie) {
  struct Case {
    const char* name;
    SmxBytes file;
    std::vector<std::int32_t> xs;
    std::vector<ExpectedDefect> defects;
  };
  std::vector<Case> cases;
  {
    // No points: every corner of the triangle names none, and the next object is still found.
    SmxBytes f;
    f.header(2).object(-3, 1).triangle(0, 1, 2).object(3, 1);
    numberedPoints(f, 3, 50).triangle(0, 1, 2);
    cases.push_back({"negative point count", f, {50, 51, 52},
                     {{Kind::NegativePointCount, 64 + 16, -3},
                      {Kind::IndexOutOfRange, 88, 0}, {Kind::IndexOutOfRange, 90, 1}, {Kind::IndexOutOfRange, 92, 2}}});
  }
  {
    SmxBytes f;
    f.header(1).object(1000, 1);
    numberedPoints(f, 3, 0).triangle(0, 1, 2);
    cases.push_back({"point count beyond the file", f, {}, {{Kind::PointsBeyondFile, 88, 1000}}});
  }
  {
    SmxBytes f;
    f.header(1).object(std::numeric_limits<std::int32_t>::max(), 1);
    numberedPoints(f, 3, 0);
    cases.push_back({"largest point count", f, {}, {{Kind::PointsBeyondFile, 88, std::numeric_limits<std::int32_t>::max()}}});
  }
  {
    SmxBytes f;
    f.header(1).object(3, 5);
    numberedPoints(f, 3, 0).triangle(0, 1, 2).triangle(1, 2, 0);
    cases.push_back({"triangle count beyond the file", f, {0, 1, 2, 1, 2, 0}, {{Kind::ShortTriangle, 88 + 48 + 16, 0}}});
  }
  {
    SmxBytes f;
    f.header(1).object(3, 3);
    numberedPoints(f, 3, 0).triangle(0, 1, 3).triangle(7, 1, 2).triangle(2, 0, 1);
    cases.push_back({"indices not below the point count", f, {2, 0, 1},
                     {{Kind::IndexOutOfRange, 136 + 4, 3}, {Kind::IndexOutOfRange, 144, 7}}});
  }
  {
    SmxBytes f;
    f.header(5).object(0, 0);
    cases.push_back({"object count beyond the file", f, {}, {{Kind::ShortObjectHeader, 88, 0}}});
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ReadResult r = readSmx(c.file.write(std::to_string(&c - cases.data())));
    EXPECT_EQ(xsOf(r.corners), c.xs);
    expectDefects(r.defects, c.defects);
    EXPECT_LE(r.offset, static_cast<std::int64_t>(c.file.size()));
  }
}

TEST(SmxReader, ShortPointBlockIsCaughtWhenTheSizeCannotBeTold) {
  SmxBytes file;
  file.header(1).object(4, 1);
  numberedPoints(file, 3, 0);
  const ReadResult r = readSmx(file.write(), std::numeric_limits<std::int64_t>::max());
  EXPECT_TRUE(r.corners.empty());
  expectDefects(r.defects, {{Kind::ShortPoints, 88, 48}});
}

// A small sound file, and where each of its records starts and what a cut inside it reports.
struct Record {
  std::int64_t start;
  Kind whenCut;
  std::int64_t count;  // the point count, for point blocks
};

TEST(SmxReader, FileCutAtEveryByteKeepsTheWholeTrianglesBeforeTheCut) {
  SmxBytes file;
  file.header(2, 9, 8, 7).object(3, 2);
  numberedPoints(file, 3, 0).triangle(0, 1, 2).triangle(2, 1, 0).object(2, 0);
  numberedPoints(file, 2, 10);
  const std::vector<Record> records = {
      {0, Kind::ShortFileHeader, 0},    {64, Kind::ShortObjectHeader, 0}, {88, Kind::PointsBeyondFile, 3},
      {136, Kind::ShortTriangle, 0},    {144, Kind::ShortTriangle, 0},    {152, Kind::ShortObjectHeader, 0},
      {176, Kind::PointsBeyondFile, 2},
  };
  const ReadResult whole = readSmx(file.write("-whole"));
  ASSERT_EQ(whole.corners.size(), 6u);
  ASSERT_TRUE(whole.defects.empty());
  ASSERT_EQ(whole.offset, 208);

  for (std::size_t length = 0; length < file.size(); ++length) {
    SCOPED_TRACE(length);
    const ReadResult r = readSmx(file.cut(length).write());
    std::size_t in = 0;
    while (in + 1 < records.size() && records[in + 1].start <= static_cast<std::int64_t>(length)) ++in;
    const Record& cut = records[in];
    const std::int64_t value = cut.whenCut == Kind::PointsBeyondFile ? cut.count : length - cut.start;
    expectDefects(r.defects, {{cut.whenCut, cut.start, value}});
    EXPECT_TRUE(r.defects.front().endsFile());
    EXPECT_EQ(r.headerRead, length >= 64);
    const std::size_t wholeTriangles = in >= 5 ? 2 : in == 4 ? 1 : 0;
    EXPECT_EQ(r.corners, std::vector<Corner>(whole.corners.begin(), whole.corners.begin() + 3 * wholeTriangles));
    EXPECT_EQ(r.offset, cut.whenCut == Kind::PointsBeyondFile ? cut.start : static_cast<std::int64_t>(length));
  }
}

}  // namespace

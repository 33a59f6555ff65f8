#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "Circuit.h"
#include "mesh/SmxFormat.h"
#include "mesh/SmxReader.h"

namespace {

std::string circuitPath(const std::string& name) {
  const auto folder = std::filesystem::temp_directory_path() / "zarvo-mesh-tests";
  std::filesystem::create_directories(folder);
  return (folder / (name + ".smx")).string();
}

std::vector<char> bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Survey {
  std::int64_t triangles = 0, defects = 0, largestObject = 0, facingDown = 0, upright = 0;
  bool lastIndexUsed = false;
  std::int32_t low[3] = {INT32_MAX, INT32_MAX, INT32_MAX}, high[3] = {INT32_MIN, INT32_MIN, INT32_MIN};
  unsigned char header[smx::fileHeaderSize] = {};
};

Survey survey(const std::string& path) {
  Survey s;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return s;
  SmxReader reader(file, SmxReader::sizeOf(file), [&](const SmxDefect&) { ++s.defects; });
  reader.readHeader(s.header);
  while (reader.nextObject()) {
    s.largestObject = std::max(s.largestObject, reader.pointsHeld());
    const unsigned char* last = reader.pointRecords() + (reader.pointsHeld() - 1) * smx::pointSize;
    while (reader.nextTriangle()) {
      ++s.triangles;
      double x[3], y[3];
      for (int k = 0; k < 3; ++k) {
        const unsigned char* p = reader.corner(k);
        s.lastIndexUsed |= reader.pointsHeld() == smx::maxIndexedPoints && p == last;
        x[k] = smx::getInt32(p);
        y[k] = smx::getInt32(p + 4);
        for (int axis = 0; axis < 3; ++axis) {
          s.low[axis] = std::min(s.low[axis], smx::getInt32(p + 4 * axis));
          s.high[axis] = std::max(s.high[axis], smx::getInt32(p + 4 * axis));
        }
      }
      // Seen from +z: counter-clockwise faces up, no area is a wall.
      const double area = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
      if (area < 0) ++s.facingDown;
      if (area == 0) ++s.upright;
    }
  }
  std::fclose(file);
  return s;
}

TEST(Circuit, HasExactlyTheAskedTrianglesAllFacingUpInsideTheGroundPlane) {
  for (const std::int64_t triangles : {std::int64_t{2000}, std::int64_t{12345}, std::int64_t{450000}}) {
    SCOPED_TRACE(triangles);
    const std::string path = circuitPath("circuit-" + std::to_string(triangles));
    std::string error;
    ASSERT_TRUE(writeCircuit(path, triangles, 4, error)) << error;
    const Survey s = survey(path);
    EXPECT_EQ(s.defects, 0);
    EXPECT_EQ(s.triangles, triangles);
    EXPECT_EQ(s.facingDown, 0);
    // Only the building walls stand upright.
    EXPECT_LE(s.upright, 100);
    // Above the ground plane, within its extent, and filling most of the first view.
    EXPECT_GT(s.low[2], -500000);
    EXPECT_GE(s.low[0], -100000000);
    EXPECT_LE(s.high[0], 100000000);
    EXPECT_GE(s.low[1], -100000000);
    EXPECT_LE(s.high[1], 120000000);
    EXPECT_GT(s.high[0] - s.low[0], 120000000);
    EXPECT_GT(s.high[1] - s.low[1], 80000000);
    EXPECT_LE(s.largestObject, smx::maxIndexedPoints);
  }
}

TEST(Circuit, LargeTracksFillWholeObjectsUpToIndexFFFF) {
  const std::string path = circuitPath("circuit-full-objects");
  std::string error;
  ASSERT_TRUE(writeCircuit(path, 450000, 9, error)) << error;
  const Survey s = survey(path);
  EXPECT_EQ(s.largestObject, smx::maxIndexedPoints);
  EXPECT_TRUE(s.lastIndexUsed);
}

TEST(Circuit, SameSeedGivesTheSameBytesAndAnotherSeedAnotherTrack) {
  std::string error;
  const std::string a = circuitPath("seed-a"), b = circuitPath("seed-b"), c = circuitPath("seed-c");
  ASSERT_TRUE(writeCircuit(a, 5000, 21, error)) << error;
  ASSERT_TRUE(writeCircuit(b, 5000, 21, error)) << error;
  ASSERT_TRUE(writeCircuit(c, 5000, 22, error)) << error;
  EXPECT_EQ(bytesOf(a), bytesOf(b));
  EXPECT_NE(bytesOf(a), bytesOf(c));
}

TEST(Circuit, RefusesTooFewTrianglesAndUnwritablePaths) {
  std::string error;
  EXPECT_FALSE(writeCircuit(circuitPath("too-small"), minCircuitTriangles - 1, 1, error));
  EXPECT_FALSE(error.empty());
  error.clear();
  EXPECT_FALSE(writeCircuit(circuitPath("no-such-folder/x"), minCircuitTriangles, 1, error));
  EXPECT_FALSE(error.empty());
}

}  // namespace

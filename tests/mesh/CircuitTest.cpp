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

TEST(Circuit, HasExactlyTheAskedTrianglesFacingUpAndUsesTheWholeIndexRange) {
  const std::string path = circuitPath("circuit-450000");
  std::string error;
  ASSERT_TRUE(writeCircuit(path, 450000, 9, error)) << error;
  std::int64_t triangles = 0, defects = 0, facingDown = 0, upright = 0;
  bool lastIndexUsed = false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  SmxReader reader(file, SmxReader::sizeOf(file), [&](const SmxDefect&) { ++defects; });
  unsigned char header[smx::fileHeaderSize];
  reader.readHeader(header);
  while (reader.nextObject()) {
    EXPECT_LE(reader.pointsHeld(), smx::maxIndexedPoints);
    const unsigned char* last = reader.pointRecords() + (reader.pointsHeld() - 1) * smx::pointSize;
    while (reader.nextTriangle()) {
      ++triangles;
      double x[3], y[3];
      for (int k = 0; k < 3; ++k) {
        lastIndexUsed |= reader.pointsHeld() == smx::maxIndexedPoints && reader.corner(k) == last;
        x[k] = smx::getInt32(reader.corner(k));
        y[k] = smx::getInt32(reader.corner(k) + 4);
      }
      // Seen from +z: counter-clockwise faces up, no area is a wall.
      const double area = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
      facingDown += area < 0;
      upright += area == 0;
    }
  }
  std::fclose(file);
  EXPECT_EQ(defects, 0);
  EXPECT_EQ(triangles, 450000);
  EXPECT_EQ(facingDown, 0);
  EXPECT_LE(upright, 100);  // only the building walls stand upright
  EXPECT_TRUE(lastIndexUsed);
}

TEST(Circuit, SameSeedGivesTheSameBytesAndAnotherSeedAnotherTrack) {
  std::string error;
  const std::string a = circuitPath("seed-a"), b = circuitPath("seed-b"), c = circuitPath("seed-c");
  ASSERT_TRUE(writeCircuit(a, 5000, 21, error)) << error;
  ASSERT_TRUE(writeCircuit(b, 5000, 21, error)) << error;
  ASSERT_TRUE(writeCircuit(c, 5000, 22, error)) << error;
  EXPECT_EQ(bytesOf(a), bytesOf(b));
  EXPECT_NE(bytesOf(a), bytesOf(c));
  EXPECT_FALSE(writeCircuit(circuitPath("too-small"), minCircuitTriangles - 1, 1, error));
}

}  // namespace

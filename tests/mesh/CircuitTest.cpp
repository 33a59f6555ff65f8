// The generator's circuits, which every larger test track comes from.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "Circuit.h"
#include "mesh/SmxFormat.h"
#include "mesh/SmxReader.h"

namespace {

std::string circuit(const std::string& name, std::int64_t triangles, std::uint64_t seed) {
  const auto path = (std::filesystem::temp_directory_path() / ("zarvo-circuit-" + name + ".smx")).string();
  std::string error;
  EXPECT_TRUE(writeCircuit(path, triangles, seed, error)) << error;
  return path;
}

std::string bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Circuit, HasExactlyTheAskedTrianglesFacingUpAndUsesTheWholeIndexRange) {
  std::FILE* file = std::fopen(circuit("450000", 450000, 9).c_str(), "rb");
  ASSERT_NE(file, nullptr);
  std::int64_t triangles = 0, defects = 0, facingDown = 0, upright = 0;
  bool lastIndexUsed = false;
  SmxReader reader(file, SmxReader::sizeOf(file), [&](const SmxDefect&) { ++defects; });
  unsigned char header[smx::fileHeaderSize];
  reader.readHeader(header);
  while (reader.nextObject()) {
    EXPECT_LE(reader.pointsHeld(), smx::maxIndexedPoints);
    const unsigned char* last = reader.pointRecords() + (reader.pointsHeld() - 1) * smx::pointSize;
    for (; reader.nextTriangle(); ++triangles) {
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
  EXPECT_EQ(bytesOf(circuit("a", 5000, 21)), bytesOf(circuit("b", 5000, 21)));
  EXPECT_NE(bytesOf(circuit("a", 5000, 21)), bytesOf(circuit("c", 5000, 22)));
  std::string error;
  const auto small = std::filesystem::temp_directory_path() / "zarvo-circuit-small.smx";
  EXPECT_FALSE(writeCircuit(small.string(), minCircuitTriangles - 1, 1, error));
}

}  // namespace

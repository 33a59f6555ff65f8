#include "support/SmxBytes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "mesh/SmxFormat.h"

namespace {

void appendInt32(std::vector<unsigned char>& bytes, std::int32_t value) {
  unsigned char field[4];
  smx::putInt32(field, value);
  bytes.insert(bytes.end(), field, field + 4);
}

std::filesystem::path testFolder() {
  const auto folder = std::filesystem::temp_directory_path() / "zarvo-mesh-tests";
  std::filesystem::create_directories(folder);
  return folder;
}

std::string testName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "-" + info->name();
  for (char& c : name)
    if (c == '/') c = '-';
  return name;
}

}  // namespace

SmxBytes& SmxBytes::header(std::int32_t objectCount, unsigned char red, unsigned char green, unsigned char blue) {
  const std::size_t at = bytes.size();
  bytes.resize(at + smx::fileHeaderSize, 0xA5);  // unread bytes carry noise on purpose
  bytes[at + smx::groundRedAt] = red;
  bytes[at + smx::groundGreenAt] = green;
  bytes[at + smx::groundBlueAt] = blue;
  smx::putInt32(&bytes[at + smx::objectCountAt], objectCount);
  return *this;
}

SmxBytes& SmxBytes::object(std::int32_t pointCount, std::int32_t triangleCount) {
  bytes.resize(bytes.size() + smx::pointCountAt, 0x5A);
  appendInt32(bytes, pointCount);
  appendInt32(bytes, triangleCount);
  return *this;
}

SmxBytes& SmxBytes::point(std::int32_t x, std::int32_t y, std::int32_t z, unsigned char blue, unsigned char green,
                          unsigned char red, unsigned char spare) {
  appendInt32(bytes, x);
  appendInt32(bytes, y);
  appendInt32(bytes, z);
  bytes.insert(bytes.end(), {blue, green, red, spare});
  return *this;
}

SmxBytes& SmxBytes::triangle(unsigned a, unsigned b, unsigned c) {
  for (unsigned index : {a, b, c, 0xEEEEu}) {
    unsigned char field[2];
    smx::putUint16(field, index);
    bytes.insert(bytes.end(), field, field + 2);
  }
  return *this;
}

SmxBytes& SmxBytes::raw(std::size_t count, unsigned char value) {
  bytes.resize(bytes.size() + count, value);
  return *this;
}

SmxBytes SmxBytes::cut(std::size_t length) const {
  SmxBytes shorter;
  shorter.bytes.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(length, bytes.size())));
  return shorter;
}

std::string SmxBytes::write(const std::string& suffix) const {
  return writeTo((testFolder() / (testName() + suffix + ".smx")).string());
}

std::string SmxBytes::writeTo(const std::string& path) const {
  const std::filesystem::path target(path);
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path());
  std::FILE* file = std::fopen(path.c_str(), "wb");
  EXPECT_NE(file, nullptr) << path;
  if (!file) return path;
  if (!bytes.empty()) {
    EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
  }
  std::fclose(file);
  return path;
}

SmxBytes singleTriangleTrack() {
  SmxBytes track;
  track.header(1, 0x40, 0x80, 0x20).object(3, 1);
  track.point(-1000000, -1000000, 0, 40, 40, 200);
  track.point(1000000, -1000000, 0, 40, 200, 40);
  track.point(0, 1000000, 0, 200, 40, 40);
  return track.triangle(0, 1, 2);
}

std::string missingFilePath() { return (testFolder() / "no-such-file.smx").string(); }

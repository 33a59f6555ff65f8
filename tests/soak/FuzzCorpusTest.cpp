// Every input the fuzzer grew from our seeds, kept in fuzz/corpus/, is read within its
// bounds and loads into one display list of a real context that unloading removes again.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "mesh/SmxFormat.h"
#include "mesh/SmxModel.h"
#include "mesh/SmxReader.h"
#include "support/TestWindow.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> corpusFiles() {
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(ZARVO_FUZZ_CORPUS))
    if (entry.is_regular_file()) files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

struct Reading {
  std::int64_t size = 0;
  std::int64_t endOffset = 0;
  long triangles = 0;
  long cornersOutside = 0;
  long defectsOutside = 0;
};

Reading readWhole(const std::string& path) {
  Reading reading;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return reading;
  reading.size = SmxReader::sizeOf(file);
  SmxReader reader(file, reading.size, [&](const SmxDefect& defect) {
    if (defect.offset < 0 || defect.offset > reading.size) ++reading.defectsOutside;
  });
  unsigned char header[smx::fileHeaderSize];
  if (reader.readHeader(header)) {
    while (reader.nextObject()) {
      const unsigned char* first = reader.pointRecords();
      const unsigned char* end = first + reader.pointsHeld() * smx::pointSize;
      while (reader.nextTriangle()) {
        ++reading.triangles;
        for (int k = 0; k < 3; ++k)
          if (reader.corner(k) < first || reader.corner(k) + smx::pointSize > end)
            ++reading.cornersOutside;
      }
    }
  }
  reading.endOffset = reader.offset();
  std::fclose(file);
  return reading;
}

std::set<GLuint> liveLists() {
  std::set<GLuint> live;
  for (GLuint name = 1; name <= 4096; ++name)
    if (glIsList(name)) live.insert(name);
  return live;
}

}  // namespace

TEST(FuzzCorpus, EveryInputIsReadWithinItsBounds) {
  const std::vector<std::string> files = corpusFiles();
  ASSERT_GE(files.size(), 20u) << "the corpus is in " << ZARVO_FUZZ_CORPUS;
  long triangles = 0;
  for (const auto& path : files) {
    const Reading reading = readWhole(path);
    EXPECT_GT(reading.size, 0) << path;
    EXPECT_EQ(reading.cornersOutside, 0) << path;
    EXPECT_EQ(reading.defectsOutside, 0) << path;
    EXPECT_LE(reading.endOffset, reading.size) << path;
    triangles += reading.triangles;
  }
  std::printf("%d corpus files read, %ld triangles drawn from them\n",
              static_cast<int>(files.size()), triangles);
}

TEST(FuzzCorpus, EveryInputLoadsIntoOneListThatUnloadingRemoves) {
  TestWindow window;
  ASSERT_TRUE(window.isOpen());
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-2e8, 2e8, -2e8, 2e8, -1e9, 1e9);
  const std::set<GLuint> before = liveLists();
  SmxModel model;
  model.setShowAxes(true);
  for (const auto& path : corpusFiles()) {
    ASSERT_TRUE(model.load(path)) << path;
    model.draw();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << path;
    EXPECT_EQ(liveLists().size(), before.size() + 1) << path;
    model.unload();
    EXPECT_EQ(liveLists(), before) << path;
  }
}

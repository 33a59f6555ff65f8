// Every input the fuzzer grew from our seeds, kept in fuzz/corpus/, is read within its
// bounds and loads into one display list of a real context that unloading removes again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/Footprint.h"
#include "mesh/SmxFormat.h"
#include "mesh/SmxModel.h"
#include "mesh/SmxReader.h"
#include "support/TestWindow.h"

namespace {

std::vector<std::string> corpusFiles() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(ZARVO_FUZZ_CORPUS))
    if (entry.is_regular_file()) files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

TEST(FuzzCorpus, EveryInputIsReadWithinItsBounds) {
  const std::vector<std::string> files = corpusFiles();
  ASSERT_GE(files.size(), 20u) << "the corpus is in " << ZARVO_FUZZ_CORPUS;
  long triangles = 0;
  for (const auto& path : files) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr) << path;
    const std::int64_t size = SmxReader::sizeOf(file);
    EXPECT_GT(size, 0) << path;
    SmxReader reader(file, size, [&](const SmxDefect& defect) {
      EXPECT_TRUE(defect.offset >= 0 && defect.offset <= size) << path << " at " << defect.offset;
    });
    unsigned char header[smx::fileHeaderSize];
    const bool headed = reader.readHeader(header);
    while (headed && reader.nextObject()) {
      const unsigned char* first = reader.pointRecords();
      const unsigned char* end = first + reader.pointsHeld() * smx::pointSize;
      for (; reader.nextTriangle(); ++triangles)
        for (int k = 0; k < 3; ++k)
          ASSERT_TRUE(reader.corner(k) >= first && reader.corner(k) + smx::pointSize <= end)
              << path;
    }
    EXPECT_LE(reader.offset(), size) << path;
    std::fclose(file);
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
  const std::set<GLuint> before = liveLists(4096);
  SmxModel model;
  model.setShowAxes(true);
  for (const auto& path : corpusFiles()) {
    ASSERT_TRUE(model.load(path)) << path;
    model.draw();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << path;
    EXPECT_EQ(liveLists(4096).size(), before.size() + 1) << path;
    model.unload();
    EXPECT_EQ(liveLists(4096), before) << path;
  }
}

// Every input the fuzzer grew from our seeds, kept in fuzz/corpus/, loads through the reader into
// one display list of a real context that unloading removes again.
#include <gtest/gtest.h>

#include <filesystem>

#include "mesh/SmxModel.h"
#include "support/Footprint.h"
#include "support/TestWindow.h"

TEST(FuzzCorpus, EveryInputLoadsIntoOneListThatUnloadingRemoves) {
  TestWindow window;
  ASSERT_TRUE(window.isOpen());
  const std::set<GLuint> before = liveLists();
  SmxModel model;
  model.setShowAxes(true);
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(ZARVO_FUZZ_CORPUS)) {
    const std::string path = entry.path().string();
    ASSERT_TRUE(model.load(path)) << path;
    model.draw();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << path;
    EXPECT_EQ(liveLists().size(), before.size() + 1) << path;
    model.unload();
    EXPECT_EQ(liveLists(), before) << path;
    ++files;
  }
  EXPECT_GE(files, 20) << "the corpus is in " << ZARVO_FUZZ_CORPUS;
}

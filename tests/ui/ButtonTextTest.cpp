#include <gtest/gtest.h>

#include <string>

#include "ui/Button.h"

namespace {

TEST(ButtonTextTest, SetTextFormatsAndCutsAt255Characters) {
  Button box;
  EXPECT_STREQ(box.getText(), "");

  box.setText("%d files", 3);
  EXPECT_STREQ(box.getText(), "3 files");

  const char* noFormat = nullptr;
  box.setText(noFormat);
  EXPECT_STREQ(box.getText(), "3 files");

  const std::string longText(300, 'q');
  box.setText("%s|%d", longText.c_str(), 42);
  EXPECT_EQ(std::string(box.getText()), std::string(255, 'q'));

  const std::string exact(254, 'r');
  box.setText("%s!", exact.c_str());
  EXPECT_EQ(std::string(box.getText()), exact + "!");

  box.setText("%s", "");
  EXPECT_STREQ(box.getText(), "");
}

TEST(ButtonTextTest, PlainTextIsKeptExactlyWhateverItsLength) {
  Button box;
  const std::string paths[] = {
      "smx/100%dirt.smx",
      "smx/" + std::string(400, 'd') + "/%s%n.smx",
      "two\nlines",
  };
  for (const std::string& path : paths) {
    box.setPlainText(path);
    EXPECT_EQ(std::string(box.getText()), path);
  }
}

}  // namespace

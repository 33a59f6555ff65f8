// The file list and mesh screens, built from real folders in a temporary working directory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "support/RunningApp.h"
#include "support/SmxBytes.h"
#include "support/WindowTitle.h"
#include "ui/Button.h"
#include "ui/Viewport.h"
#include "view/InputCodes.h"

namespace fs = std::filesystem;

namespace {

struct Box {
  int id;
  std::string text;
};

// Ids and texts of every box, in id order.
std::vector<Box> boxes(ButtonPanel& panel) {
  std::vector<Box> found;
  for (int id = -1; id <= 200; ++id)
    if (Button* box = panel.get(id)) found.push_back({id, box->getText()});
  return found;
}

std::string title() { return windowTitle(); }

void touch(const std::string& path) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path) << "not a track";
}

// The window-coordinate centre of file box id at the current window size.
int fileBoxCentreX() { return viewportWidth - 5 - 100; }
int fileBoxCentreY(int id) { return 25 * id - 20 + 10; }

}  // namespace

TEST(Screens, NeitherFolderGivesAnEmptyListTitledZarvo) {
  testing::internal::CaptureStdout();
  RunningApp running;
  const std::string printed = testing::internal::GetCapturedStdout();
  ASSERT_TRUE(running.created);
  EXPECT_EQ(printed, "Error opening directory or no files..\nError opening directory or no files..\n");
  EXPECT_TRUE(boxes(running.app.panel).empty());
  EXPECT_EQ(title(), "Zarvo");
}

TEST(Screens, FilesOfBothFoldersAreNumberedOnInOneColumn) {
  RunningApp running([] {
    touch("smx/a.smx");
    touch("smx/b.smx");
    touch("smxU/c.smx");
    fs::create_directories("smx/x.smx");
  });
  ASSERT_TRUE(running.created);
  const auto found = boxes(running.app.panel);
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[2].id, 3);
  EXPECT_EQ(found[2].text, "smxU/c.smx");
  EXPECT_TRUE((found[0].text == "smx/a.smx" && found[1].text == "smx/b.smx") ||
              (found[0].text == "smx/b.smx" && found[1].text == "smx/a.smx"));
  // Top edges 5, 30 and 55 below the window's top, 5 pixels from its right edge.
  for (int id = 1; id <= 3; ++id) {
    Button* box = running.app.panel.get(id);
    EXPECT_TRUE(box->hitTest(715, 25 * id - 20)) << id;
    EXPECT_TRUE(box->hitTest(515, 25 * id)) << id;
    EXPECT_FALSE(box->hitTest(514, 25 * id)) << id;
    EXPECT_FALSE(box->hitTest(715, 25 * id - 21)) << id;
  }
}

TEST(Screens, EmptyFirstFolderStartsTheSecondAtIdOne) {
  testing::internal::CaptureStdout();
  RunningApp running([] {
    fs::create_directories("smx");
    touch("smxU/only.smx");
  });
  const std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_EQ(printed, "Error opening directory or no files..\n");
  const auto found = boxes(running.app.panel);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].id, 1);
  EXPECT_EQ(found[0].text, "smxU/only.smx");
}

TEST(Screens, BoxesBelowTheWindowAreReachedAfterEnlargingIt) {
  RunningApp running([] {
    for (int i = 0; i < 25; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "smx/t%02d.smx", i);
      touch(name);
    }
  });
  ASSERT_EQ(boxes(running.app.panel).size(), 25u);
  ButtonPanel& panel = running.app.panel;
  // Box 20's top lies on the bottom edge of a 480-pixel area; clicks stop at y 479.
  EXPECT_TRUE(panel.get(19)->hitTest(fileBoxCentreX(), fileBoxCentreY(19)));
  EXPECT_FALSE(panel.get(20)->hitTest(fileBoxCentreX(), 479));
  running.app.onResize(720, 700);
  EXPECT_TRUE(panel.get(25)->hitTest(fileBoxCentreX(), fileBoxCentreY(25)));
}

TEST(Screens, ClickingAFileShowsTheMeshScreenAndCloseReturnsToTheList) {
  RunningApp running([] { singleTriangleTrack().writeTo("smx/name.smx"); });
  ZarvoApp& app = running.app;
  app.translateX = 7;
  app.rotateX = 30;
  app.rotateY = 15;
  app.fov = 20.0f;
  app.onMouseUp(fileBoxCentreX(), fileBoxCentreY(1), mouseFlags::left);

  ASSERT_TRUE(app.model.isLoaded());
  EXPECT_EQ(title(), "Zarvo - smx/name.smx");
  const auto meshBoxes = boxes(app.panel);
  ASSERT_EQ(meshBoxes.size(), 2u);
  EXPECT_EQ(meshBoxes[0].id, -1);
  EXPECT_EQ(meshBoxes[1].id, 0);
  EXPECT_EQ(meshBoxes[1].text, "close");
  EXPECT_FALSE(app.panel.get(-1)->isClickable());
  EXPECT_EQ(app.translateX, 0);
  EXPECT_EQ(app.translateZ, -10000);
  EXPECT_EQ(app.rotateX, 0);
  EXPECT_EQ(app.rotateY, 0);
  EXPECT_EQ(app.fov, 80.0f);

  app.onKeyDown('W');
  app.onMouseUp(690, 15, mouseFlags::left);  // the close box
  EXPECT_FALSE(app.model.isLoaded());
  EXPECT_EQ(title(), "Zarvo");
  ASSERT_EQ(boxes(app.panel).size(), 1u);
  EXPECT_EQ(app.translateY, -100) << "closing keeps the camera";
}

TEST(Screens, ADeletedFileLeadsBackToTheListWithoutIt) {
  RunningApp running([] {
    singleTriangleTrack().writeTo("smx/gone.smx");
    singleTriangleTrack().writeTo("smx/kept.smx");
    singleTriangleTrack().writeTo("smxU/other.smx");
  });
  ZarvoApp& app = running.app;
  const int gone = std::string(app.panel.get(1)->getText()) == "smx/gone.smx" ? 1 : 2;
  fs::remove("smx/gone.smx");
  app.rotateZ = 99;
  testing::internal::CaptureStdout();
  app.onMouseUp(fileBoxCentreX(), fileBoxCentreY(gone), mouseFlags::left);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "no message";
  EXPECT_FALSE(app.model.isLoaded());
  EXPECT_EQ(title(), "Zarvo");
  const auto found = boxes(app.panel);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].text, "smx/kept.smx");
  EXPECT_EQ(found[1].text, "smxU/other.smx");
  EXPECT_EQ(app.rotateZ, 0) << "the camera is reset all the same";
}

TEST(Screens, NamesAreShownAndLoadedCharacterForCharacter) {
  const std::string longName = std::string(240, 'n') + ".smx";
  RunningApp running([&] {
    singleTriangleTrack().writeTo("smx/100%.smx");
    singleTriangleTrack().writeTo("smx/.hidden.smx");
    singleTriangleTrack().writeTo("smxU/" + longName);
  });
  ZarvoApp& app = running.app;
  const auto found = boxes(app.panel);
  ASSERT_EQ(found.size(), 3u);
  std::vector<std::string> texts;
  for (const auto& box : found) texts.push_back(box.text);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "smx/100%.smx"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "smx/.hidden.smx"), texts.end());
  EXPECT_EQ(found[2].text, "smxU/" + longName) << "a long path is never cut";

  for (const auto& box : found) {
    app.onMouseUp(fileBoxCentreX(), fileBoxCentreY(box.id), mouseFlags::left);
    ASSERT_TRUE(app.model.isLoaded()) << box.text;
    EXPECT_EQ(title(), "Zarvo - " + box.text);
    app.onMouseUp(690, 15, mouseFlags::left);
  }
}

TEST(Screens, TheCloseBoxTakesClicksWhereItOverlapsTheInfoBox) {
  RunningApp running([] { singleTriangleTrack().writeTo("smx/t.smx"); });
  ZarvoApp& app = running.app;
  running.openFile(1);
  app.onResize(200, 480);
  // Close box: x 150..195; info box: x 5..255. Both span y 5..25 near the top.
  app.onMouseUp(160, 15, mouseFlags::left);
  EXPECT_FALSE(app.model.isLoaded());
}

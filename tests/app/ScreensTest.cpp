// The file list and mesh screens, built from real folders in a temporary working directory.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "Circuit.h"
#include "ProcessMemory.h"
#include "platform/InputCodes.h"
#include "support/RunningApp.h"
#include "support/SmxBytes.h"
#include "support/WindowState.h"
#include "ui/Button.h"
#include "ui/Utf8Text.h"

namespace {

using Boxes = std::vector<std::pair<int, std::string>>;  // id and text, in id order

Boxes boxes(const ButtonPanel& panel) {
  Boxes found;
  for (int id = -1; id <= 100; ++id)
    if (const Button* box = panel.get(id)) found.push_back({id, box->getText()});
  return found;
}

TEST(Screens, FileListNumbersTheTracksOfBothFoldersAndAClickShowsTheMeshScreenThatCloseLeaves) {
  const std::string noFiles = "Error opening directory or no files..\n";
  testing::internal::CaptureStdout();
  RunningApp running;
  ASSERT_TRUE(running.created);
  ZarvoApp& app = running.app;
  app.doubleClickTime = {};  // its clicks come faster than a user's; the visit checks double-clicks
  EXPECT_EQ(testing::internal::GetCapturedStdout(), noFiles + noFiles);
  EXPECT_EQ(boxes(app.panel), Boxes{});
  std::filesystem::create_directories("smx");
  singleTriangleTrack().writeTo("smxU/name.smx");
  testing::internal::CaptureStdout();
  app.buildScreen();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), noFiles);
  EXPECT_EQ(boxes(app.panel), (Boxes{{1, "smxU/name.smx"}}));
  singleTriangleTrack().writeTo("smx/gone.smx");
  std::filesystem::create_directories("smx/x.smx");  // a folder is no track
  app.buildScreen();
  EXPECT_EQ(boxes(app.panel), (Boxes{{1, "smx/gone.smx"}, {2, "smxU/name.smx"}}));

  const auto clickFile = [&](int id) { app.onMouseUp(610, 25 * id - 10, mouseFlags::left); };
  clickFile(2);
  ASSERT_TRUE(app.model.isLoaded());
  EXPECT_EQ(windowTitle(), "Zarvo - smxU/name.smx");
  const Button* close = app.panel.get(ZarvoApp::closeBoxId);
  Button* info = app.panel.get(ZarvoApp::infoBoxId);
  ASSERT_TRUE(close && info && boxes(app.panel).size() == 2);
  EXPECT_STREQ(close->getText(), "close");
  EXPECT_TRUE(close->isClickable() && !info->isClickable());
  EXPECT_TRUE(close->hitTest(670, 25) && !close->hitTest(669, 25) && !close->hitTest(670, 26));  // 45 x 20 at top right
  info->setClickable(true);  // to find its edges: 250 x 46 at top left
  EXPECT_TRUE(info->hitTest(5, 5) && info->hitTest(255, 51) && !info->hitTest(256, 51) && !info->hitTest(255, 52));
  app.onKeyDown(keys::w);
  app.onMouseUp(690, 15, mouseFlags::left);  // the close box
  EXPECT_TRUE(!app.model.isLoaded() && boxes(app.panel).size() == 2 && windowTitle() == "Zarvo");
  EXPECT_EQ(app.translateY, -100) << "closing keeps the camera";

  // A narrow window pushes the close box (x 150..195) over the info box (x 5..255): it takes the click.
  clickFile(2);
  app.onResize(200, 480);
  app.onMouseUp(160, 15, mouseFlags::left);
  EXPECT_FALSE(app.model.isLoaded());
  // The help box shown (H) over file box 2 of a small window takes a click on it, and hides; hidden, it takes none.
  app.onResize(400, 200), app.onKeyUp(keys::h), app.onMouseUp(250, 40, mouseFlags::left);
  EXPECT_FALSE(app.help.isVisible() || app.model.isLoaded());
  app.onMouseUp(250, 40, mouseFlags::left);
  EXPECT_TRUE(app.model.isLoaded());
  app.onMouseUp(380, 15, mouseFlags::left);  // the close box

  // A file gone since the list was built: back to the list without it, silently.
  app.onResize(720, 480);
  std::filesystem::remove("smx/gone.smx");
  testing::internal::CaptureStdout();
  clickFile(1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_FALSE(app.model.isLoaded());
  EXPECT_EQ(boxes(app.panel), (Boxes{{1, "smxU/name.smx"}}));

  // A file declaring more than 20 million triangles, more than a 32-bit program holds, is refused before it is
  // read; a 64-bit program is given the 32-bit ceiling to test the same rule.
  const std::int64_t over = 20000001;
  if (sizeof(void*) != 4) app.model.setTriangleCeiling(SmxModel::triangleCeilingOf32Bits);
  const SmxBytes declaring = SmxBytes().header(1).object(0, std::int32_t(over));
  const std::string big = "smx/" + std::string(60, 'b') + ".smx";
  std::filesystem::resize_file(declaring.writeTo(big), declaring.size() + 8 * std::uintmax_t(over));
  app.buildScreen();
  testing::internal::CaptureStdout();
  clickFile(1);
  const std::string refusal = big + ": too big for a 32-bit program (" + std::to_string(over) + " triangles)";
  EXPECT_EQ(testing::internal::GetCapturedStdout(), refusal + "; the 64-bit Zarvo opens it\n");
  Button* notice = app.panel.get(ZarvoApp::noticeBoxId);
  ASSERT_TRUE(notice && notice->getText() == refusal + "\nthe 64-bit Zarvo opens it" && !app.model.isLoaded());
  notice->setClickable(true);  // to find its lower edge: its first line, too long for the box, wraps; three take 48 pixels
  EXPECT_TRUE(notice->hitTest(5, 53) && !notice->hitTest(5, 54));
  // Only the triangles a file holds count: one that declares 25 million and holds one opens.
  SmxBytes().header(1).object(3, 25000000).point(0, 0, 0).point(9, 0, 0).point(0, 9, 0).triangle(0, 1, 2).writeTo(big);
  clickFile(1);
  EXPECT_TRUE(app.model.isLoaded() && app.model.declaredTriangles() == 1);
}

// A name as the list shows it, in the font's Latin-1 codes ('?' for a letter it lacks), and as the title shows it,
// in UTF-8: ASCII, UTF-8, and Latin-1 bytes that are not UTF-8, as an old Linux name may be.
#ifdef _WIN32  // names are UTF-16
const std::string latin1 = "\u00c4\u00d6.smx";
std::string shownTitle() { return windowTitle(); }
#else  // names are bytes, and window managers show the UTF-8 title
const std::string latin1 = "\xc4\xd6.smx";
std::string shownTitle() { return windowProperty("_NET_WM_NAME").substr(std::strlen("UTF8_STRING ")); }
#endif

TEST(Screens, FileNamesShowInTheListInTheFontsLettersAndInTheTitleWhole) {
  const struct { std::string name, listed, title; } rows[] = {{"plain.smx", "plain.smx", "plain.smx"},
      {"Z\u00fcrich \u4e2d.smx", "Z\xfcrich ?.smx", "Z\u00fcrich \u4e2d.smx"},
      {latin1, "\xc4\xd6.smx", "\u00c4\u00d6.smx"}};
  RunningApp running;
  for (const auto& row : rows) {
    const std::string path = singleTriangleTrack().writeTo("smx/" + row.name);
    running.app.buildScreen();
    EXPECT_EQ(fontCodes(running.app.panel.get(1)->getText()), "smx/" + row.listed);
    running.app.openGivenPath(path);
    EXPECT_EQ(shownTitle(), "Zarvo - smx/" + row.title);
    running.app.model.unload(), std::filesystem::remove(std::filesystem::u8path(path));
  }
}

// The allocator keeps freed memory for the next frame; a closed track's goes back to the system. A
// sanitizer's allocator keeps its own.
#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__)
TEST(Screens, ClosingABigTrackHandsItsMemoryBackToTheSystem) {
  std::string error;
  RunningApp running([&] { std::filesystem::create_directories("smx"), writeCircuit("smx/big.smx", 400000, 5, error); });
  ASSERT_TRUE(running.app.panel.get(1)) << error;
  const double start = residentMiB("VmRSS:");
  running.openFile(1);
  const double loaded = residentMiB("VmRSS:") - start;
  running.openFile(ZarvoApp::closeBoxId);
  EXPECT_GT(loaded, 5) << "MiB the open track holds";
  EXPECT_LT(residentMiB("VmRSS:") - start, loaded / 4) << "MiB still held after closing it, of " << loaded;
}
#endif

}  // namespace

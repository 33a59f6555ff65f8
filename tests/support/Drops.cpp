#include "support/Drops.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/SmxBytes.h"
#include "support/WindowState.h"
#include "ui/Button.h"

void expectTheFirstTrackOfADropToOpen(RunningApp& running, const DropFiles& drop) {
  const std::string folder = running.folder.u8string();
  const std::string track = singleTriangleTrack().writeTo(folder + "/my tracks/Z\u00fcrich \u0150 \u03a9.smx");
  const std::string text = folder + "/notes.txt", gone = folder + "/gone.SMX";
  std::ofstream(text) << "no track";
  const struct { std::vector<std::string> paths; std::string title, notice; } rows[] = {
      {{}, "Zarvo", "No tracks in smx/ or smxU/ of " + folder + ". Drop a .smx file here. F1: help"},  // before any drop
      {{text, track}, "Zarvo - " + track, ""},
      {{text}, "Zarvo - " + track, "Not a .smx file: " + text},
      {{gone}, "Zarvo", gone + ": No such file or directory"},
      {{text}, "Zarvo", "Not a .smx file: " + text}};
  for (const auto& row : rows) {
    if (!row.paths.empty()) drop(row.paths);
    EXPECT_EQ(running.app.model.isLoaded(), row.title != "Zarvo") << row.paths.size();
    EXPECT_EQ(windowTitle(), row.title);
    const Button* notice = running.app.panel.get(ZarvoApp::noticeBoxId);
    EXPECT_EQ(notice ? notice->getText() : "", row.notice);
  }
}

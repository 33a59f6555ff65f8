// The two screens (file list, loaded mesh) and the notice each may show.
#include <cstdio>
#include <string>
#include <vector>

#include "app/ZarvoApp.h"
#include "platform/Platform.h"
#include "ui/Button.h"

namespace {

struct FileFolder {
  const char* pattern;
  const char* prefix;
};

constexpr FileFolder fileFolders[] = {{"smx/*.smx", "smx/"}, {"smxU/*.smx", "smxU/"}};

constexpr int boxMargin = 5;
constexpr int fileBoxWidth = 200;
constexpr int fileBoxHeight = 20;
constexpr int fileBoxPitch = 25;
constexpr int closeBoxWidth = 45;
constexpr int closeBoxHeight = 20;
constexpr int infoBoxWidth = 250;
constexpr int infoBoxHeight = 46;
constexpr int noticeBoxWidth = 500;

Button* newBox(int y, int width, int height, int fontBase) {
  auto* box = new Button(boxMargin, y, width, height);
  box->setFont(fontBase);
  return box;
}

void addMeshScreen(ButtonPanel& panel, int fontBase) {
  Button* close = newBox(boxMargin, closeBoxWidth, closeBoxHeight, fontBase);
  close->setAnchor(AnchorTopRight);
  close->setText("close");
  panel.add(ZarvoApp::closeBoxId, close);

  // Three lines of the camera read-out; the frame writes them.
  Button* info = newBox(boxMargin, infoBoxWidth, infoBoxHeight, fontBase);
  info->setClickable(false);
  panel.add(ZarvoApp::infoBoxId, info);
}

// Returns how many tracks it lists.
int addFileListScreen(ButtonPanel& panel, int fontBase) {
  int id = 1;
  for (const FileFolder& folder : fileFolders) {
    std::vector<platform::DirectoryEntry> entries;
    if (!platform::findFiles(folder.pattern, entries)) {
      std::puts("Error opening directory or no files..");
      continue;
    }
    for (const auto& entry : entries) {
      if (entry.isDirectory) continue;
      Button* file = newBox(boxMargin + fileBoxPitch * (id - 1), fileBoxWidth, fileBoxHeight, fontBase);
      file->setAnchor(AnchorTopRight);
      // The path is the text as it stands: never a format, never cut.
      file->setPlainText(folder.prefix + entry.name);
      panel.add(id, file);
      ++id;
    }
  }
  return id - 1;
}

std::string emptyListNotice() {
  return "No tracks in smx/ or smxU/ of " + platform::workingFolder() + ". Drop a .smx file here. F1: help";
}

}  // namespace

std::string ZarvoApp::refusal() const {
  const std::string triangles = " (" + std::to_string(model.declaredTriangles()) + " triangles)";
  if (model.lastFailure() == SmxModel::Failure::OverCeiling)
    return model.path() + ": too big for a 32-bit program" + triangles + "\nthe 64-bit Zarvo opens it";
  return model.path() + ": too big for the memory left" + triangles;
}

void ZarvoApp::buildScreen() {
  panel.clear();
  if (model.isLoaded()) {
    platform::setTitle("Zarvo - " + model.path());
    addMeshScreen(panel, fontBase);
  } else {
    platform::setTitle("Zarvo");
    const int tracks = addFileListScreen(panel, fontBase);
    if (model.refused())
      showNotice(refusal());
    else if (!listNotice.empty())
      showNotice(listNotice);
    else if (tracks == 0)
      showNotice(emptyListNotice());
  }
}

void ZarvoApp::showNotice(const std::string& text, double filled) {
  Button* notice = panel.get(noticeBoxId);
  if (!notice) {
    notice = newBox(boxMargin, noticeBoxWidth, Button::oneLineHeight, fontBase);
    notice->setClickable(false);
    // Its paths may be long: wrapped, they stay clear of the file boxes beside it.
    notice->setWrapping(true);
    panel.add(noticeBoxId, notice);
  }
  notice->setPlainText(text);
  notice->setFill(filled);
  // Under the camera read-out when a track is shown.
  const int y = panel.get(infoBoxId) ? 2 * boxMargin + infoBoxHeight : boxMargin;
  notice->setGeometry(boxMargin, y, noticeBoxWidth, notice->heightOfLines());
}

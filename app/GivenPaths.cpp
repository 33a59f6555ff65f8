// Tracks named outside the list: on the command line or by a drop on the window.
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/ZarvoApp.h"
#include "platform/Platform.h"

namespace {

bool isTrackName(const std::string& path) {
  const std::string ending = ".smx";
  if (path.size() < ending.size()) return false;
  for (size_t i = 0; i < ending.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(path[path.size() - ending.size() + i])) != ending[i]) return false;
  return true;
}

// The open refuses what is neither a file nor a folder with ENODEV, whose own words ("No such device") would mislead.
std::string whyNotOpened(int error) { return error == ENODEV ? "not a regular file" : std::strerror(error); }

}  // namespace

void ZarvoApp::openGivenPath(const std::string& path) {
  replaceTrack(path);
  if (model.lastFailure() == SmxModel::Failure::NotOpened) {
    listNotice = path + ": " + whyNotOpened(model.openError());
    std::fprintf(stderr, "zarvo: %s\n", listNotice.c_str());
  }
  buildScreen();
  requestFrame();
}

void ZarvoApp::onFilesDropped(const std::vector<DroppedItem>& items) {
  for (const DroppedItem& item : items) {
    if (!item.isLocalFile || !isTrackName(item.text)) continue;
    openGivenPath(item.text);
    return;
  }
  std::string why = "Nothing dropped to open.";
  if (!items.empty())
    why = (items.front().isLocalFile ? "Not a .smx file: " : "Not a local file: ") + items.front().text;
  // Over a track the notice stays until the next screen; over the list, until a track is shown.
  if (!model.isLoaded()) listNotice = why;
  showNotice(why);
  requestFrame();
}

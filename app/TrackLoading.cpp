// Opening and closing a track, from a click on a box or a given path: the window stays alive and shows
// the progress of a long load, and a track too big for the memory left is refused with a notice.
#include <chrono>
#include <cstdio>
#include <string>

#include "app/ZarvoApp.h"
#include "platform/Platform.h"
#include "ui/Button.h"

namespace {

using Clock = std::chrono::steady_clock;
// Shorter loads show no progress, so that small tracks do not flicker; longer ones show it at
// least four times a second.
constexpr auto quietStart = std::chrono::milliseconds(300);
constexpr auto progressEvery = std::chrono::milliseconds(200);
// Under Wine a look at the window's messages costs about a millisecond, more than a step of a load may take.
constexpr auto aliveEvery = std::chrono::milliseconds(10);

std::string percentOf(double share) { return std::to_string(static_cast<int>(share * 100)) + "%"; }

// The notice's lines as one line of standard output.
std::string oneLine(std::string text) {
  for (std::size_t at; (at = text.find('\n')) != std::string::npos;) text.replace(at, 1, "; ");
  return text;
}

}  // namespace

void ZarvoApp::openTrack(const std::string& path) {
  const auto start = Clock::now();
  auto shownAt = start - progressEvery, aliveAt = start;
  model.load(path, [&](double share) {
    const auto now = Clock::now();
    if (now - aliveAt < aliveEvery) return true;
    aliveAt = now;
    if (!platform::keepWindowAlive()) return false;
    if (now - start < quietStart || now - shownAt < progressEvery) return true;
    showNotice(path + " " + percentOf(share), share);
    render();
    shownAt = now;
    return true;
  });
  // What a refused or abandoned load freed goes back to the system now, not at the next click.
  if (!model.isLoaded()) platform::releaseFreedMemory();
  if (!model.refused()) return;
  std::puts(oneLine(refusal()).c_str());
  std::fflush(stdout);
}

void ZarvoApp::closeTrack() {
  // A closed or replaced track's memory goes back to the system before anything else is loaded.
  model.unload();
  platform::releaseFreedMemory();
}

void ZarvoApp::replaceTrack(const std::string& path) {
  closeTrack();
  listNotice.clear();
  openTrack(path);
  model.startView(translateX, translateY, translateZ);
  rotateX = 0;
  rotateZ = 0;
  rotateY = 0;
  fov = startFov;
}

void ZarvoApp::onButton(int id, Button* button) {
  if (id == closeBoxId)
    closeTrack();
  else
    replaceTrack(button->getText());  // read before the rebuild below deletes the clicked box
  buildScreen();
}

// Opening a track: the window stays alive and shows the progress of a long load, and a track too
// big for the memory left is refused with a notice.
#include <chrono>
#include <cstdio>
#include <string>

#include "app/ZarvoApp.h"
#include "platform/Platform.h"

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

std::string ZarvoApp::refusal() const {
  const std::string triangles = " (" + std::to_string(model.declaredTriangles()) + " triangles)";
  if (model.lastFailure() == SmxModel::Failure::OverCeiling)
    return model.path() + ": too big for a 32-bit program" + triangles + "\nthe 64-bit Zarvo opens it";
  return model.path() + ": too big for the memory left" + triangles;
}

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

// zarvosoak: feeds the real viewer, in its real window, a long random run of the events its
// window delivers while tracks come and go on disk, and checks after every event that the
// screen, the title and the camera are as they must be.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <utility>
#include <vector>

#include "ScreenBoxes.h"
#include "SoakTracks.h"
#include "platform/Platform.h"
#include "support/RunningApp.h"
#include "support/WindowTitle.h"
#include "ui/Button.h"
#include "ui/Viewport.h"

namespace {

// The largest size and position a window message can carry: 16 bits, zero-extended.
constexpr int maxCoordinate = 65535;
// File boxes further down than this lie below the tallest window, beyond any click.
constexpr int lowestReachableBox = (maxCoordinate - 25) / 25;
// A user keeps a few dozen tracks in view; more only lengthen every rebuild.
constexpr std::size_t mostTracks = 40;

constexpr unsigned cameraKeys[] = {keys::w,    keys::a,     keys::s,  keys::d,
                                   keys::left, keys::right, keys::up, keys::down};
constexpr unsigned wheelDistances[] = {120, 65416, 0, 240, 65296, 1, 65535};

bool onWheelLadder(int z) {
  if (z < -20000 || z > -10) return false;
  const int step = z >= -100 ? 10 : z >= -1000 ? 100 : 1000;
  return z % step == 0;
}

bool canOpen(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file) std::fclose(file);
  return file != nullptr;
}

// The error the event's frames left, if any. A minimised window is 0 pixels wide, and the overlay's
// orthographic projection over no width is refused with GL_INVALID_VALUE: nothing shows then
// anyway.
GLenum glError(bool drewMinimised) {
  const GLenum error = glGetError();
  return error == GL_INVALID_VALUE && drewMinimised ? glGetError() : error;
}

std::string readout(const ZarvoApp& app) {
  char text[256];
  std::snprintf(text, sizeof text,
                "translate: %i, %i, %i\n   rotate: %i, %i, %i\nfov, clip: %.0f, %.0f, %.0f",
                app.translateX, app.translateY, app.translateZ, app.rotateX, app.rotateY,
                app.rotateZ, static_cast<double>(app.fov), static_cast<double>(app.clipNear),
                static_cast<double>(app.clipFar));
  return text;
}

struct Soak {
  // A kind of event comes in bursts, as a user sweeps the mouse, spins the wheel or holds a key:
  // the messages of a burst share their key, wheel distance, held buttons and direction of travel.
  struct EventKind { const char* name; int weight, longestBurst; void (*send)(Soak&); };
  static const EventKind kinds[];

  Soak(RecordingApp& app, std::uint64_t seed) : app(app), random(seed) {}

  RecordingApp& app;
  Random random;
  // The tracks on disk when the file list was last built.
  std::vector<std::string> listed = trackPaths();
  const EventKind* current = nullptr;
  int burstLeft = 0;
  int pointerX = 0, pointerY = 0, stepX = 0, stepY = 0;
  unsigned heldFlags = 0, heldKey = 0, wheelDelta = 0;
  int newTracks = 0;
  // Set by a file-box click whose outcome the next check verifies.
  bool clickedFile = false, fileOpens = false;
  std::string clickedPath;
  // The run's figures.
  long eventsSent = 0;
  std::map<std::string, long> perKind;
  long loads = 0, failedLoads = 0, closes = 0;

  int below(int bound) {
    return static_cast<int>(random.next() % static_cast<std::uint64_t>(bound));
  }
  bool chance(int percent) { return below(100) < percent; }
  unsigned anyFlags() { return static_cast<unsigned>(below(32)); }
  // Mostly inside the window; sometimes anywhere a 16-bit message can point.
  int coordinate(int size) {
    return chance(80) ? below(std::max(size, 1)) : below(maxCoordinate + 1);
  }

  void startBurst() {
    int pick = below(100);
    current = kinds;
    while (pick >= current->weight) pick -= (current++)->weight;
    burstLeft = 1 + below(current->longestBurst);
    heldKey = chance(75) ? cameraKeys[below(8)] : static_cast<unsigned>(below(256));
    wheelDelta = chance(80) ? wheelDistances[below(7)] : static_cast<unsigned>(below(65536));
    heldFlags = anyFlags();
    stepX = below(81) - 40;
    stepY = below(81) - 40;
    if (chance(50)) {
      pointerX = coordinate(viewportWidth);
      pointerY = coordinate(viewportHeight);
    }
  }

  // The pointer moves on in the burst's direction, and now and then jumps anywhere.
  void movePointer(unsigned flags) {
    if (chance(3)) {
      pointerX = below(maxCoordinate + 1);
      pointerY = below(maxCoordinate + 1);
    } else {
      pointerX = std::clamp(pointerX + stepX + below(5) - 2, 0, maxCoordinate);
      pointerY = std::clamp(pointerY + stepY + below(5) - 2, 0, maxCoordinate);
    }
    app.onMouseMove(pointerX, pointerY, flags);
  }

  // A click draws a frame only when a box took it, and every box click rebuilds the screen.
  template <class Click>
  void click(Click send) {
    const unsigned long before = platform::presentedFrames();
    send();
    if (platform::presentedFrames() != before) listed = trackPaths();
  }

  void clickAnywhere() {
    static constexpr unsigned buttons[] = {mouseFlags::left, mouseFlags::right, mouseFlags::middle};
    const int x = coordinate(viewportWidth), y = coordinate(viewportHeight);
    const unsigned flags = anyFlags() | buttons[below(3)];
    click([&] { app.onMouseUp(x, y, flags); });
  }

  void clickBox() {
    // A user shows a hidden overlay before clicking on it.
    if (!app.panel.isVisible()) app.onKeyUp(keys::space);
    const unsigned flags = mouseFlags::left | anyFlags();
    if (app.model.isLoaded()) {
      ++closes;
      return click([&] { clickCloseBox(app, flags); });
    }
    if (listed.empty()) return clickAnywhere();
    const int id = 1 + below(std::min(static_cast<int>(listed.size()), lowestReachableBox));
    clickedFile = true;
    clickedPath = app.panel.get(id) ? app.panel.get(id)->getText() : "";
    fileOpens = canOpen(clickedPath);
    ++(fileOpens ? loads : failedLoads);
    click([&] { clickFileBox(app, id, flags); });
  }

  void resize() {
    const int width = 1 + below(4000), height = 1 + below(4000);
    const int sizes[][2] = {{0, 0}, {maxCoordinate, maxCoordinate}, {1, 1}, {width, 0},
                            {0, height}, {720, 480}, {width, height}, {width, height}};
    const int* size = sizes[below(8)];
    app.onResize(size[0], size[1]);
  }

  void changeFiles() {
    const std::string folder = chance(70) ? "smx/" : "smxU/";
    const std::vector<std::string> entries = trackPaths(true);
    std::vector<std::string> held;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(held),
                 [&](const std::string& path) { return path.rfind(folder, 0) == 0; });
    const auto kind = static_cast<TrackKind>(below(trackKindCount));
    // A folder keeps a track or two, so the list never prints its empty-folder line.
    if (held.size() < 3 || (entries.size() < mostTracks && chance(40)))
      return writeTrack(kind, folder + "new-" + std::to_string(newTracks++) + ".smx", random);
    const std::string& path = held[static_cast<std::size_t>(below(static_cast<int>(held.size())))];
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
    // Removed, rewritten, or replaced by a folder.
    if (const int change = below(3); change == 1)
      writeTrack(kind, path, random);
    else if (change == 2)
      std::filesystem::create_directory(path, ignored);
  }

  bool cameraIsReset() const {
    return app.translateX == 0 && app.translateY == 0 && app.translateZ == -10000 &&
           app.rotateX == 0 && app.rotateY == 0 && app.rotateZ == 0 && app.fov == 80.0f;
  }

  std::string screenProblem() const {
    const ButtonPanel& panel = app.panel;
    const Button* close = panel.get(ZarvoApp::closeBoxId);
    const Button* info = panel.get(ZarvoApp::infoBoxId);
    if (app.model.isLoaded()) {
      if (!close || std::string(close->getText()) != "close" || !close->isClickable())
        return "no close box";
      if (!info || info->isClickable()) return "no info box";
      if (panel.get(1) || panel.get(-2)) return "a stray box on the mesh screen";
      if (info->getText() != readout(app)) return "stale read-out: " + std::string(info->getText());
      return "";
    }
    if (close || info) return "a mesh-screen box on the file list";
    std::vector<std::string> shown = shownPaths(panel);
    std::sort(shown.begin(), shown.end());
    if (panel.get(static_cast<int>(shown.size()) + 2)) return "a gap in the file ids";
    if (shown != listed)
      return "the list shows " + std::to_string(shown.size()) + " files, the folders held " +
             std::to_string(listed.size());
    return "";
  }

  std::string problem(bool drewMinimised) {
    const bool loaded = app.model.isLoaded();
    const bool clicked = std::exchange(clickedFile, false);
    if (const GLenum error = glError(drewMinimised); error != GL_NO_ERROR)
      return "GL error " + std::to_string(error);
    if (app.rotateX < 0 || app.rotateX > 180) return "rotateX " + std::to_string(app.rotateX);
    if (app.rotateZ < -359 || app.rotateZ > 359) return "rotateZ " + std::to_string(app.rotateZ);
    if (loaded && !onWheelLadder(app.translateZ))
      return "translateZ " + std::to_string(app.translateZ);
    if (viewportHeight < 1) return "viewport height " + std::to_string(viewportHeight);
    if (clicked && !cameraIsReset()) return "the camera was not reset by a file click";
    if (clicked && loaded != fileOpens)
      return clickedPath + (loaded ? " loaded though it cannot be opened" : " did not load");
    if (clicked && loaded && app.model.path() != clickedPath)
      return "loaded " + app.model.path() + ", clicked " + clickedPath;
    if (std::string why = screenProblem(); !why.empty()) return why;
    if (const std::string title = windowTitle();
        title != (loaded ? "Zarvo - " + app.model.path() : "Zarvo"))
      return "title " + title;
    return "";
  }

  // The first broken rule, or an empty string when every event kept them all.
  std::string run(long events) {
    // NOTE: Mesa's glXUseXFont flags GL_OUT_OF_MEMORY for every glyph an X core font lacks
    // (codes 1..31, 127..159 of an ISO 8859-1 font); the lists stay empty, nothing is lost.
    while (glGetError() != GL_NO_ERROR) {
    }
    if (std::string why = problem(false); !why.empty()) return "at start: " + why;
    for (; eventsSent < events; ++eventsSent) {
      if (burstLeft == 0) startBurst();
      --burstLeft;
      const bool drewMinimised = viewportWidth == 0;
      // The recording is not needed here; dropping it keeps the run's memory flat.
      app.calls.clear();
      current->send(*this);
      ++perKind[current->name];
      if (std::string why = problem(drewMinimised || viewportWidth == 0); !why.empty())
        return "event " + std::to_string(eventsSent + 1) + " (" + current->name + "): " + why;
    }
    return "";
  }
};

// Weights add up to 100.
const Soak::EventKind Soak::kinds[] = {
    {"mouse move", 8, 20, [](Soak& s) { s.movePointer(s.heldFlags & ~mouseFlags::right); }},
    {"right-button drag", 7, 60, [](Soak& s) { s.movePointer(s.heldFlags | mouseFlags::right); }},
    {"click on a box", 20, 1, [](Soak& s) { s.clickBox(); }},
    {"click elsewhere", 8, 1, [](Soak& s) { s.clickAnywhere(); }},
    {"key down", 11, 40, [](Soak& s) { s.app.onKeyDown(s.heldKey); }},
    {"key up (toggles)", 11, 1,
     [](Soak& s) {
       const int pick = s.below(10);
       s.app.onKeyUp(pick < 3   ? keys::space
                     : pick < 6 ? keys::o
                                : static_cast<unsigned>(s.below(256)));
     }},
    {"wheel", 7, 40,
     [](Soak& s) {
       s.app.onMouseWheel(s.below(maxCoordinate + 1), s.below(maxCoordinate + 1), s.anyFlags(),
                          s.wheelDelta);
     }},
    {"resize", 7, 1, [](Soak& s) { s.resize(); }},
    {"focus change", 6, 1, [](Soak& s) { s.app.onFocus(s.chance(50)); }},
    {"activation", 4, 1, [](Soak& s) { s.app.onActivate(s.chance(50)); }},
    {"timer", 3, 1, [](Soak& s) { s.app.onTimer(static_cast<unsigned>(s.below(1000))); }},
    {"repaint", 3, 1, [](Soak& s) { s.app.render(); }},
    {"track changed on disk", 5, 1, [](Soak& s) { s.changeFiles(); }},
};

}  // namespace

int main(int argc, char** argv) {
  unsigned long long events = 100000, seed = 1;
  for (int i = 1; i < argc; i += 2) {
    const bool isEvents = !std::strcmp(argv[i], "--events");
    char* end = nullptr;
    if (i + 1 < argc && (isEvents || !std::strcmp(argv[i], "--seed")))
      (isEvents ? events : seed) = std::strtoull(argv[i + 1], &end, 10);
    if (!end || *end) {
      std::fprintf(stderr,
                   "usage: zarvosoak [--events N (default 100000)] [--seed S (default 1)]\n");
      return 2;
    }
  }
  Random tracks(seed);
  RunningApp running([&] { fillTrackFolders(tracks); });
  if (!running.created) {
    std::fprintf(stderr, "zarvosoak: the window could not be opened\n");
    return 3;
  }
  std::printf("zarvosoak: seed %llu, %llu events\n", seed, events);
  Soak soak(running.app, seed);
  const auto start = std::chrono::steady_clock::now();
  const std::string failure = soak.run(static_cast<long>(events));
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("events survived: %ld in %.1f s (%.0f events/s)\n", soak.eventsSent, took.count(),
              soak.eventsSent / std::max(took.count(), 1e-9));
  for (const auto& [kind, count] : soak.perKind) std::printf("  %-22s %ld\n", kind.c_str(), count);
  std::printf("  loads %ld, clicks on files that could not be opened %ld, closes %ld\n", soak.loads,
              soak.failedLoads, soak.closes);
  if (failure.empty()) return 0;
  std::printf("FAILED at %s\n", failure.c_str());
  return 1;
}

// framebench: whether frames keep up with a held key on a big track. Opens TRACK from the
// file list of the working folder, holds W (a key-down every 33 ms, like a keyboard's
// repeat) for the given seconds, lets go, and prints the frame times and how long the
// picture went on moving after the release. Needs a display; builds for both platforms.
// Usage: framebench TRACK [SECONDS]     e.g. framebench smxU/endurance-1m.smx
#include <GL/gl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/ZarvoApp.h"
#include "platform/Platform.h"
#include "platform/WindowInput.h"
#include "ui/Button.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto keyRepeat = std::chrono::milliseconds(33);
// The picture counts as still once no frame has come for this long after the release.
constexpr auto stillAfter = std::chrono::seconds(2);

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

class TimedApp : public ZarvoApp {
 public:
  void render() override {
    const auto start = Clock::now();
    ZarvoApp::render();
    glFinish();  // the frame is only done once the renderer has drawn it
    const auto end = Clock::now();
    frames.push_back({start, end});
    lastFrameEnd = end.time_since_epoch().count();
  }
  void onKeyDown(unsigned key) override {
    ++keyDowns;
    ZarvoApp::onKeyDown(key);
  }

  struct Frame {
    Clock::time_point start, end;
  };
  std::vector<Frame> frames;
  std::atomic<Clock::rep> lastFrameEnd{0};
  int keyDowns = 0;
};

bool openTrack(ZarvoApp& app, const std::string& track) {
  for (int id = 1; Button* box = app.panel.get(id); ++id) {
    if (track == box->getText()) {
      app.onButton(id, box);
      return app.model.isLoaded();
    }
  }
  return false;
}

// Holds W from another thread, as the keyboard would, then waits for the picture to settle.
Clock::time_point holdAndRelease(TimedApp& app, double seconds, int& sent) {
  platform::WindowInput input;
  Clock::time_point released;
  std::thread keyboard([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const auto until = Clock::now() + std::chrono::duration<double>(seconds);
    for (auto next = Clock::now(); next < until; next += keyRepeat) {
      std::this_thread::sleep_until(next);
      input.keyDown('W');
      ++sent;
    }
    released = Clock::now();
    input.keyUp('W');
    for (;;) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      const Clock::time_point last{Clock::duration(app.lastFrameEnd.load())};
      const auto now = Clock::now();
      if (now - std::max(last, released) > stillAfter) break;
    }
    input.endLoop();
  });
  platform::runMessageLoop();
  keyboard.join();
  return released;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: framebench TRACK [SECONDS]   (TRACK as listed, e.g. smxU/endurance-1m.smx)\n");
    return 2;
  }
  const std::string track = argv[1];
  const double seconds = argc > 2 ? std::atof(argv[2]) : 2.0;

  auto* app = new TimedApp;
  theApp = app;
  if (!app->create("Zarvo", "Zarvo", 720, 480, 16) || !openTrack(*app, track)) {
    std::fprintf(stderr, "framebench: cannot open %s from the file list here\n", track.c_str());
    delete app;
    return 1;
  }
  app->frames.clear();
  int sent = 0;
  const Clock::time_point released = holdAndRelease(*app, seconds, sent);

  double longest = 0;
  double total = 0;
  for (const auto& frame : app->frames) {
    const double ms = millisecondsBetween(frame.start, frame.end);
    longest = std::max(longest, ms);
    total += ms;
  }
  const auto count = app->frames.size();
  const double lag = count ? millisecondsBetween(released, app->frames.back().end) : 0;
  std::printf("%s: held W for %.1f s\n", track.c_str(), seconds);
  std::printf("  key-downs sent %d, handled %d\n", sent, app->keyDowns);
  std::printf("  frames %zu, mean %.1f ms, longest %.1f ms\n", count, count ? total / count : 0.0, longest);
  std::printf("  release to last frame: %.0f ms\n", std::max(0.0, lag));
  delete app;
  theApp = nullptr;
  return 0;
}

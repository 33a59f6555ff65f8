// framebench: how a big track opens and flies. Opens TRACK from the file list of the working folder
// and prints the load time, the time from the start of the load to the end of the first frame that shows
// the track, and the address space taken after the load and after the first frames; then flies over it as a keyboard would (W and S alternated, a key-down
// every 33 ms) for twelve seconds and prints the median frame in the first two seconds after the
// open and in the two seconds ten seconds later, how long the picture went on moving after the
// release, and the peak memory. The load's figure comes with the longest time the window went
// without a new picture while it loaded. Then it holds the camera still, at the start view and 100
// units above spots spread over the track, looking down and tilted toward the horizon, and prints the median frame of each and how
// many of the track's pieces it drew and how many triangles it left out as lighting no pixel. Needs a
// display; builds for both platforms.
// Usage: framebench TRACK     e.g. framebench smxU/endurance-1m.smx
#include <GL/gl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "ProcessMemory.h"
#include "app/ZarvoApp.h"
#include "platform/Platform.h"
#include "platform/WindowInput.h"
#include "ui/Button.h"

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;
constexpr auto keyRepeat = std::chrono::milliseconds(33);
constexpr int repeatsEachWay = 15;  // half a second forward, half a second back
constexpr Seconds flight{12};
constexpr Seconds firstWindow{2};
constexpr Seconds laterFrom{10};
// The picture counts as still once no frame has come for this long after the release.
constexpr auto stillAfter = std::chrono::seconds(2);
constexpr int lowSpots = 16;
constexpr int startFrames = 15;
constexpr int framesEachSpot = 3;
constexpr int lowHeight = 100;  // view units above the mesh's z = 0
constexpr int lowTilt = 75;     // degrees from looking straight down
constexpr double viewUnit = 10000;  // mesh units

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

// Flies from another thread, as the keyboard would, then waits for the picture to settle.
Clock::time_point fly(TimedApp& app, int& sent) {
  platform::WindowInput input;
  Clock::time_point released;
  std::thread keyboard([&] {
    const auto until = Clock::now() + flight;
    for (auto next = Clock::now(); next < until; next += keyRepeat) {
      std::this_thread::sleep_until(next);
      input.keyDown(sent++ / repeatsEachWay % 2 ? 'S' : 'W');
    }
    released = Clock::now();
    input.keyUp('W');
    input.keyUp('S');
    for (;;) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      const Clock::time_point last{Clock::duration(app.lastFrameEnd.load())};
      if (Clock::now() - std::max(last, released) > stillAfter) break;
    }
    input.endLoop();
  });
  platform::runMessageLoop();
  keyboard.join();
  return released;
}

template <class Value>
Value median(std::vector<Value> values) {
  if (values.empty()) return Value{};
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

// The median time of the frames begun between from and from + length after the open.
double medianFrame(const std::vector<TimedApp::Frame>& frames, Clock::time_point opened, Seconds from, Seconds length) {
  std::vector<double> times;
  for (const auto& frame : frames) {
    const Seconds at = frame.start - opened;
    if (at >= from && at < from + length) times.push_back(millisecondsBetween(frame.start, frame.end));
  }
  return median(times);
}

struct StillView {
  double frameMs;
  std::size_t piecesDrawn;
  std::size_t trianglesLeftOut;
};

// Frames drawn with the camera held still at each of the views that place sets: their medians.
template <class Place>
StillView stillFrames(TimedApp& app, int views, int framesEachView, Place place) {
  std::vector<double> times;
  std::vector<std::size_t> drawn, leftOut;
  for (int view = 0; view < views; ++view) {
    place(view);
    for (int i = 0; i < framesEachView; ++i) {
      app.render();
      times.push_back(millisecondsBetween(app.frames.back().start, app.frames.back().end));
      drawn.push_back(app.model.piecesDrawn());
      leftOut.push_back(app.model.trianglesLeftOut());
    }
  }
  return {median(times), median(drawn), median(leftOut)};
}

void startView(ZarvoApp& app) {
  app.model.startView(app.translateX, app.translateY, app.translateZ);
  app.rotateX = app.rotateY = app.rotateZ = 0;
  app.fov = 80;
}

// From lowHeight above the middle of one of the pieces spread through the file, looking down tilted by tilt.
void lowView(ZarvoApp& app, int spot, int tilt) {
  const auto& pieces = app.model.trackPieces();
  const SmxModel::Piece& piece = pieces[pieces.size() * std::size_t(spot) / lowSpots];
  startView(app);
  app.translateX = -int((double(piece.low[0]) + piece.high[0]) / 2 / viewUnit);
  app.translateY = -int((double(piece.low[1]) + piece.high[1]) / 2 / viewUnit);
  app.translateZ = -lowHeight;
  app.rotateX = tilt;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: framebench TRACK   (TRACK as listed, e.g. smxU/endurance-1m.smx)\n");
    return 2;
  }
  const std::string track = argv[1];

  auto* app = new TimedApp;
  theApp = app;
  const bool created = app->create("Zarvo", "Zarvo", 720, 480, 16);
  app->frames.clear();
  const auto start = Clock::now();
  if (!created || !openTrack(*app, track)) {
    std::fprintf(stderr, "framebench: cannot open %s from the file list here\n", track.c_str());
    delete app;
    return 1;
  }
  glFinish();
  const auto opened = Clock::now();
  const double loadedSpace = addressSpaceMiB();
  double stillest = 0;  // the longest time without a new picture during the load
  auto previous = start;
  for (const auto& frame : app->frames) {
    stillest = std::max(stillest, millisecondsBetween(previous, frame.end));
    previous = frame.end;
  }
  stillest = std::max(stillest, millisecondsBetween(previous, opened));
  app->frames.clear();
  int sent = 0;
  const Clock::time_point released = fly(*app, sent);

  const double firstFrameDone = app->frames.empty() ? 0 : millisecondsBetween(start, app->frames.front().end);
  const double first = medianFrame(app->frames, opened, Seconds(0), firstWindow);
  const double later = medianFrame(app->frames, opened, laterFrom, firstWindow);
  const double lag = app->frames.empty() ? 0 : millisecondsBetween(released, app->frames.back().end);
  std::printf("%s: %lld triangles in %zu pieces\n", track.c_str(), static_cast<long long>(app->model.declaredTriangles()),
              app->model.trackPieces().size());
  std::printf("  load %.0f ms, at most %.0f ms without a new picture; load start to first frame done %.0f ms\n",
              millisecondsBetween(start, opened), stillest, firstFrameDone);
  std::printf("  address space %.0f MiB after the load, %.0f MiB after the flight\n", loadedSpace, addressSpaceMiB());
  std::printf("  median frame flying (W and S alternated): %.1f ms in the first 2 s, %.1f ms 10 s later (%.2fx)\n",
              first, later, later > 0 ? first / later : 0.0);
  std::printf("  frames %zu; key-downs sent %d, handled %d; release to last frame %.0f ms\n", app->frames.size(), sent,
              app->keyDowns, std::max(0.0, lag));
  std::printf("  peak memory %.0f MiB\n", peakMemoryMiB());
  const std::size_t pieces = app->model.trackPieces().size();
  const StillView atStart = stillFrames(*app, 1, startFrames, [&](int) { startView(*app); });
  const auto lowViews = [&](int tilt) {
    return pieces ? stillFrames(*app, lowSpots, framesEachSpot, [&](int spot) { lowView(*app, spot, tilt); }) : StillView{};
  };
  const StillView low = lowViews(0), tilted = lowViews(lowTilt);
  std::printf("  median frame held still: start view %.1f ms, %zu of %zu pieces drawn, %zu triangles left out\n",
              atStart.frameMs, atStart.piecesDrawn, pieces, atStart.trianglesLeftOut);
  std::printf("  %d units above %d spots of the track, looking down: %.1f ms, %zu of %zu pieces drawn, %zu triangles left out (%.2fx)\n",
              lowHeight, lowSpots, low.frameMs, low.piecesDrawn, pieces, low.trianglesLeftOut,
              atStart.frameMs > 0 ? low.frameMs / atStart.frameMs : 0.0);
  std::printf("  the same, tilted %d degrees toward the horizon: %.1f ms, %zu of %zu pieces drawn, %zu triangles left out\n",
              lowTilt, tilted.frameMs, tilted.piecesDrawn, pieces, tilted.trianglesLeftOut);
  delete app;
  theApp = nullptr;
  return 0;
}

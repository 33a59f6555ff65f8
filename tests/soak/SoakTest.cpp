// The real viewer in its real window over damaged tracks (the fuzzer's corpus), awkward names and a
// large one: load and close cycles leave no memory behind; a random run of window events, opening each
// track in turn, keeps camera, screen, title and display lists as a user expects; thousands are listed.
// ZARVO_SOAK_EVENTS and ZARVO_SOAK_SEED run it longer or otherwise by hand.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "Circuit.h"
#include "Random.h"
#include "support/Footprint.h"
#include "support/RunningApp.h"
#include "support/SmxBytes.h"
#include "support/WindowTitle.h"
#include "ui/Button.h"
#include "ui/Viewport.h"
#include "view/InputCodes.h"

#if defined(__SANITIZE_ADDRESS__)
// A small quarantine hands freed memory back soon, so that growth still means a leak.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=8"; }
#endif

namespace fs = std::filesystem;

namespace {

constexpr int most = 65535;  // a window message carries 16 bits, zero-extended
constexpr unsigned cameraKeys[] = {keys::w, keys::a, keys::s, keys::d, keys::left, keys::right, keys::up, keys::down};
constexpr unsigned wheelSteps[] = {120, 65416, 0, 240, 65296, 1, 65535};
constexpr int weights[] = {20, 20, 10, 15, 10, 8, 7, 10};  // of the events, in the order of send's cases

std::uint64_t setting(const char* name, std::uint64_t otherwise) {
  const char* value = std::getenv(name);
  return value ? std::strtoull(value, nullptr, 10) : otherwise;
}

std::vector<std::string> shownPaths(const ButtonPanel& panel) {  // of the file boxes, in id order
  std::vector<std::string> paths;
  for (int id = 1; const Button* box = panel.get(id); ++id) paths.push_back(box->getText());
  return paths;
}

struct Soak {
  RecordingApp& app;
  Random random;
  std::vector<std::string> listed = shownPaths(app.panel);  // as it first showed
  std::set<GLuint> glyphs = liveLists(1024);  // the font's lists, and a track's after them
  std::string clicked{};  // the path of the file box just clicked
  int opened = 0, pointerX = 0, pointerY = 0, stepX = 0, stepY = 0;
  bool minimised = false;

  int below(int bound) { return int(random.next() % std::uint64_t(bound)); }
  bool chance(int percent) { return below(100) < percent; }
  unsigned anyFlags() { return unsigned(below(32)); }

  void send() {
    clicked.clear();
    minimised = viewportWidth == 0;
    int pick = below(100), kind = 0;
    while (pick >= weights[kind]) pick -= weights[kind++];
    if (kind == 0 || chance(10)) stepX = below(81) - 40, stepY = below(81) - 40;  // sweeps and drags keep on a while
    const int sizes[] = {0, 1, most, 1 + below(4000), 1 + below(4000)};  // minimised, the most a message tells
    const int width = sizes[below(5)], height = sizes[below(5)];  // and a point mostly in the window:
    const int x = below(chance(80) ? viewportWidth + 1 : most + 1), y = below(chance(80) ? viewportHeight : most + 1);
    switch (kind) {
      case 0:
        pointerX = chance(3) ? x : std::clamp(pointerX + stepX, 0, most);
        pointerY = chance(3) ? y : std::clamp(pointerY + stepY, 0, most);
        return app.onMouseMove(pointerX, pointerY, anyFlags() | (chance(50) ? mouseFlags::right : 0));
      case 1: {  // a left click, any keys held, on the close box (clear of the info box) or the next file box
        if (!app.panel.isVisible()) app.onKeyUp(keys::space);  // a user shows a hidden overlay first
        const int id = app.model.isLoaded() ? 0 : 1 + opened++ % int(listed.size());
        if (id) clicked = listed[std::size_t(id - 1)];
        app.onResize(std::max(viewportWidth, 306), std::max(viewportHeight, 25 * id + 1));  // the box in view
        return app.onMouseUp(viewportWidth - (id ? 105 : 27), id ? 25 * id - 10 : 15, mouseFlags::left | anyFlags());
      }
      case 2: return app.onMouseUp(x, y, anyFlags());
      case 3: return app.onKeyDown(chance(75) ? cameraKeys[below(8)] : unsigned(below(256)));
      case 4: return app.onKeyUp(chance(60) ? (chance(50) ? keys::space : keys::o) : unsigned(below(256)));
      case 5: return app.onMouseWheel(x, y, anyFlags(), chance(80) ? wheelSteps[below(7)] : unsigned(below(most + 1)));
      case 6: return app.onResize(width, height);
      default:
        if (chance(30)) return app.onTimer(unsigned(below(1000)));
        return chance(50) ? app.onFocus(chance(50)) : app.onActivate(chance(50));
    }
  }

  // The first broken rule after an event, or nothing.
  std::string problem() {
    // A minimised window is 0 pixels wide: the overlay's projection over no width is refused then.
    minimised |= viewportWidth == 0;
    if (const GLenum error = glGetError(); error != GL_NO_ERROR && !(error == GL_INVALID_VALUE && minimised))
      return "GL error " + std::to_string(error);
    const bool loaded = app.model.isLoaded();
    const int z = -app.translateZ, zStep = z <= 100 ? 10 : z <= 1000 ? 100 : 1000;
    if (app.rotateX < 0 || app.rotateX > 180 || app.rotateZ < -359 || app.rotateZ > 359) return "rotation out of range";
    if (loaded && (z < 10 || z > 20000 || z % zStep)) return "translateZ off the wheel's ladder";
    if (!clicked.empty() && (!loaded || app.model.path() != clicked)) return "a click on " + clicked;
    const Button *close = app.panel.get(ZarvoApp::closeBoxId), *info = app.panel.get(ZarvoApp::infoBoxId);
    if (loaded ? !close || !info || std::string(close->getText()) != "close" || app.panel.get(1)
               : close || info || shownPaths(app.panel) != listed)
      return loaded ? "not the mesh screen" : "not the file list";
    const std::set<GLuint> lists = liveLists(1024);
    if (loaded ? lists.size() != glyphs.size() + 1 : lists != glyphs) return "not one list per track";
    if (windowTitle() != (loaded ? "Zarvo - " + app.model.path() : "Zarvo")) return "title " + windowTitle();
    return "";
  }
};

}  // namespace

TEST(Soak, RandomInputAndTracks) {
  const std::string longest = std::string(251, 'L') + ".smx";  // most file systems hold 255 bytes
  std::vector<std::string> paths = {"smx/circuit.smx", "smx/cut.smx", "smx/100%.smx", "smx/%s%n%x%%.smx",
                                    "smx/caf\xe9 \xc5ngstr\xf6m \xfc\xdf\xff.smx",  // Latin-1, as Windows holds it
                                    "smx/ leading space.smx", "smx/.hidden.smx", "smx/..two dots.smx", "smx/.smx",
                                    "smx/" + longest, "smxU/" + longest};
  RunningApp running([&] {
    std::string error;
    fs::create_directories("smx/folder.smx");  // no track
    for (const auto& path : paths) singleTriangleTrack().writeTo(path);
    for (int k : {0, 1}) ASSERT_TRUE(writeCircuit(paths[k], 16000, 5, error)) << error;  // big, to show in memory
    fs::resize_file(paths[1], fs::file_size(paths[0]) * 3 / 5);
    for (const auto& entry : fs::directory_iterator(ZARVO_FUZZ_CORPUS))
      fs::copy_file(entry.path(), paths.emplace_back("smxU/fuzz-" + entry.path().filename().string() + ".smx"));
  });
  ASSERT_TRUE(running.created);
  // NOTE: Mesa's glXUseXFont flags GL_OUT_OF_MEMORY for every glyph an X core font lacks; the lists stay empty.
  while (glGetError() != GL_NO_ERROR) {
  }
  Soak soak{running.app, Random(setting("ZARVO_SOAK_SEED", 1))};
  std::int64_t warm = 0;
  for (int cycle = 0; cycle < 300; ++cycle) {
    if (cycle == 50) warm = residentBytes();
    const auto at = std::find(soak.listed.begin(), soak.listed.end(), paths[cycle % 2]);  // the circuit, then cut
    running.openFile(1 + int(at - soak.listed.begin()));
    running.openFile(ZarvoApp::closeBoxId);
  }
  ASSERT_GT(warm, 0) << "the system tells the resident memory";
  EXPECT_LT(residentBytes() - warm, 8 << 20) << "bytes the last 250 cycles kept; a lost point buffer keeps far more";

  for (std::uint64_t event = 1, events = setting("ZARVO_SOAK_EVENTS", 3000); event <= events; ++event) {
    running.app.calls.clear();  // the recording is not needed; dropping it keeps memory flat
    soak.send();
    running.app.render();  // the frame the event asked for
    ASSERT_EQ(soak.problem(), "") << "event " << event;
  }
  EXPECT_GE(soak.opened, int(paths.size())) << "not every track was opened";

  for (int i = 0; i < 3000; ++i)
    paths.push_back(singleTriangleTrack().writeTo((i % 2 ? "smx/" : "smxU/") + std::to_string(i) + ".smx"));
  running.openFile(ZarvoApp::closeBoxId);  // lists them anew
  const std::vector<std::string> shown = shownPaths(running.app.panel);
  EXPECT_EQ(std::multiset<std::string>(shown.begin(), shown.end()),
            std::multiset<std::string>(paths.begin(), paths.end()));
}

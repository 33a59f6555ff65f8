// A random run of the events the window delivers, fed to the real viewer in its real window while
// tracks good and damaged come and go on disk; after every event the camera, the screen, the
// title and the display lists must be as they must be. ZARVO_SOAK_EVENTS and ZARVO_SOAK_SEED
// run it longer or otherwise by hand.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "Circuit.h"
#include "Random.h"
#include "ScreenBoxes.h"
#include "mesh/SmxFormat.h"
#include "support/Footprint.h"
#include "support/RunningApp.h"
#include "support/SmxBytes.h"
#include "support/WindowTitle.h"
#include "ui/Button.h"
#include "ui/Viewport.h"

namespace {

constexpr int maxCoordinate = 65535;  // a window message carries 16 bits, zero-extended
constexpr unsigned cameraKeys[] = {keys::w, keys::a, keys::s, keys::d, keys::left, keys::right, keys::up, keys::down};
constexpr unsigned wheelDistances[] = {120, 65416, 0, 240, 65296, 1, 65535};

std::uint64_t setting(const char* name, std::uint64_t otherwise) {
  const char* value = std::getenv(name);
  return value ? std::strtoull(value, nullptr, 10) : otherwise;
}

int below(Random& random, int bound) { return static_cast<int>(random.next() % static_cast<std::uint64_t>(bound)); }

// Good tracks, cut ones, ones with counts negative or past the file, ones naming points they lack.
void writeTrack(const std::string& path, Random& random) {
  const int kind = below(random, 5);
  std::string error;
  if (kind == 0) return void(writeCircuit(path, 2000, random.next() % 1000, error));
  auto below = [&](int bound) { return ::below(random, bound); };
  SmxBytes file;
  const int objects = 1 + below(3);
  file.header(objects, static_cast<unsigned char>(random.next()), 90, 40);
  for (int o = 0; o < objects; ++o) {
    const int points = 3 + below(6), triangles = 1 + below(5), range = kind == 1 ? smx::maxIndexedPoints : points;
    file.object(points, triangles);
    for (int p = 0; p < points; ++p) file.point(below(2000001) - 1000000, below(2000001) - 1000000, 0, 200, 128, 64);
    for (int t = 0; t < triangles; ++t) file.triangle(below(range), below(range), below(range));
  }
  if (kind == 2) file = file.cut(static_cast<std::size_t>(below(static_cast<int>(file.size()))));
  const int counts[] = {smx::objectCountAt, smx::fileHeaderSize + smx::pointCountAt, smx::fileHeaderSize + smx::triangleCountAt};
  if (kind == 3) smx::putInt32(&file.bytes[counts[below(3)]], below(2) ? 0x7FFFFFFF : -1 - below(1000));
  file.writeTo(path);
}

struct Soak {
  Soak(RecordingApp& app, std::uint64_t seed) : app(app), random(seed) {}

  RecordingApp& app;
  Random random;
  bool rebuilt = false;  // set when a click reaches a box: the screen is built anew
  std::string clicked;
  bool drewMinimised = false;
  std::vector<std::string> listed = trackPaths();  // the tracks on disk when the list was built
  int pointerX = 0, pointerY = 0, stepX = 0, stepY = 0, newTracks = 0;
  std::set<GLuint> glyphs = liveLists();

  int below(int bound) { return ::below(random, bound); }
  bool chance(int percent) { return below(100) < percent; }
  unsigned anyFlags() { return static_cast<unsigned>(below(32)); }
  int coordinate(int size) { return chance(80) ? below(std::max(size, 1)) : below(maxCoordinate + 1); }

  // A track written, rewritten, removed or replaced by a folder; each folder keeps a few.
  void changeFiles() {
    const std::string folder = chance(70) ? "smx/" : "smxU/";
    std::vector<std::string> held;
    for (const auto& path : trackPaths(true))
      if (path.rfind(folder, 0) == 0) held.push_back(path);
    if (held.size() < 3 || (held.size() < 20 && chance(40)))
      return writeTrack(folder + "new-" + std::to_string(newTracks++) + ".smx", random);
    const std::string& path = held[static_cast<std::size_t>(below(static_cast<int>(held.size())))];
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
    const int change = below(3);
    if (change == 1) writeTrack(path, random);
    if (change == 2) std::filesystem::create_directory(path, ignored);
  }

  // The paths named *.smx in smx/ and smxU/, sorted; folders only when asked for.
  static std::vector<std::string> trackPaths(bool withFolders = false) {
    std::vector<std::string> paths;
    for (const std::string folder : {"smx", "smxU"}) {
      std::error_code error;
      for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().extension() == ".smx" && (withFolders || !entry.is_directory(error)))
          paths.push_back(folder + "/" + entry.path().filename().string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
  }

  void onBox(int id, Button* box) {
    rebuilt = true;
    app.onButton(id, box);
  }

  // Sends one random event; a click on a file box notes its path in clicked.
  void send() {
    clicked.clear();
    drewMinimised = viewportWidth == 0;
    static const int weights[] = {15, 20, 8, 11, 11, 7, 7, 6, 4, 6, 5};  // in the order of the cases below
    int pick = below(100), kind = 0;
    while (pick >= weights[kind]) pick -= weights[kind++];
    if (kind == 0 || chance(10)) {  // moves keep their direction for a while, as a sweep or a drag does
      stepX = below(81) - 40;
      stepY = below(81) - 40;
    }
    switch (kind) {
      case 0: {
        pointerX = chance(3) ? below(maxCoordinate + 1) : std::clamp(pointerX + stepX, 0, maxCoordinate);
        pointerY = chance(3) ? below(maxCoordinate + 1) : std::clamp(pointerY + stepY, 0, maxCoordinate);
        return app.onMouseMove(pointerX, pointerY, anyFlags() | (chance(50) ? mouseFlags::right : 0));
      }
      case 1: {
        if (!app.panel.isVisible()) app.onKeyUp(keys::space);  // a user shows a hidden overlay first
        if (app.model.isLoaded()) return clickCloseBox(app, mouseFlags::left | anyFlags());
        const int id = 1 + below(std::clamp(static_cast<int>(listed.size()), 1, (maxCoordinate - 25) / 25));
        if (const Button* box = app.panel.get(id)) clicked = box->getText();
        return clickFileBox(app, id, mouseFlags::left | anyFlags());
      }
      case 2: return app.onMouseUp(coordinate(viewportWidth), coordinate(viewportHeight), anyFlags());
      case 3: return app.onKeyDown(chance(75) ? cameraKeys[below(8)] : static_cast<unsigned>(below(256)));
      case 4: return app.onKeyUp(chance(60) ? (chance(50) ? keys::space : keys::o) : static_cast<unsigned>(below(256)));
      case 5: return app.onMouseWheel(below(maxCoordinate + 1), below(maxCoordinate + 1), anyFlags(),
                                      chance(80) ? wheelDistances[below(7)] : static_cast<unsigned>(below(65536)));
      case 6: {  // minimised, the largest a message tells, or anything between
        const int sizes[] = {0, 1, maxCoordinate, 1 + below(4000), 1 + below(4000)};
        const int width = sizes[below(5)];
        return app.onResize(width, sizes[below(5)]);
      }
      case 7: return app.onFocus(chance(50));
      case 8: return app.onActivate(chance(50));
      case 9: return app.onTimer(static_cast<unsigned>(below(1000)));
      default: return changeFiles();
    }
  }

  // The first broken rule after an event, or nothing.
  std::string problem() {
    // A minimised window is 0 pixels wide: the overlay's projection over no width is refused then, and nothing shows.
    drewMinimised |= viewportWidth == 0;
    if (const GLenum error = glGetError(); error != GL_NO_ERROR && !(error == GL_INVALID_VALUE && drewMinimised))
      return "GL error " + std::to_string(error);
    const bool loaded = app.model.isLoaded();
    const int z = -app.translateZ, zStep = z <= 100 ? 10 : z <= 1000 ? 100 : 1000;
    if (app.rotateX < 0 || app.rotateX > 180 || app.rotateZ < -359 || app.rotateZ > 359) return "rotation out of range";
    if (loaded && (z < 10 || z > 20000 || z % zStep)) return "translateZ off the wheel's ladder";
    if (viewportHeight < 1) return "viewport height " + std::to_string(viewportHeight);
    if (!clicked.empty()) {
      std::error_code error;  // only a regular file opens; a folder that took its place does not
      const bool opens = std::filesystem::is_regular_file(clicked, error);
      if (loaded != opens || (loaded && app.model.path() != clicked)) return "a click on " + clicked;
      if (app.translateX || app.translateY || app.translateZ != -10000 || app.rotateX || app.rotateY || app.rotateZ || app.fov != 80.0f)
        return "the camera was not reset by a file click";
    }
    const bool wasRebuilt = std::exchange(rebuilt, false);
    if (wasRebuilt) listed = trackPaths();
    const Button* close = app.panel.get(ZarvoApp::closeBoxId);
    const Button* info = app.panel.get(ZarvoApp::infoBoxId);
    if (loaded && (!close || !info || std::string(close->getText()) != "close" || app.panel.get(1)))
      return "not the mesh screen";
    std::vector<std::string> shown = shownPaths(app.panel);
    std::sort(shown.begin(), shown.end());
    if (!loaded && (close || info || shown != listed || app.panel.get(int(shown.size()) + 1) || (wasRebuilt && liveLists() != glyphs)))
      return "not the file list of the tracks on disk, or a display list left behind";
    if (windowTitle() != (loaded ? "Zarvo - " + app.model.path() : "Zarvo")) return "title " + windowTitle();
    return "";
  }
};

}  // namespace

TEST(Soak, RandomInputAndTracks) {
  Random tracks(setting("ZARVO_SOAK_SEED", 1));
  RunningApp running([&] {
    std::filesystem::create_directories("smx/folder.smx");
    std::filesystem::create_directories("smxU");
    for (int k = 0; k < 8; ++k) writeTrack((k % 2 ? "smxU/track" : "smx/track") + std::to_string(k) + ".smx", tracks);
    SmxBytes().writeTo("smx/empty.smx");
  });
  ASSERT_TRUE(running.created);
  // NOTE: Mesa's glXUseXFont flags GL_OUT_OF_MEMORY for every glyph an X core font lacks; the lists stay empty.
  while (glGetError() != GL_NO_ERROR) {
  }
  Soak soak(running.app, setting("ZARVO_SOAK_SEED", 1));
  TCallback<Soak> spy;  // sees the clicks that reach a box before the app takes them
  spy.bind(&soak, &Soak::onBox);
  running.app.panel.setListener(&spy);
  const std::uint64_t events = setting("ZARVO_SOAK_EVENTS", 3000);
  for (std::uint64_t event = 1; event <= events; ++event) {
    running.app.calls.clear();  // the recording is not needed; dropping it keeps memory flat
    soak.send();
    running.app.render();  // the frame the event asked for
    ASSERT_EQ(soak.problem(), "") << "event " << event;
  }
}

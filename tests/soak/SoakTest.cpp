// The real viewer in its real window over damaged tracks (the fuzzer's corpus), awkward names and a
// large one: load and close cycles leave no memory behind; a random run of window events, opening each
// track in turn, keeps camera, screen, title and display lists as a user expects; thousands are listed.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <tuple>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#endif

#include "Circuit.h"
#include "Random.h"
#include "platform/InputCodes.h"
#include "platform/Platform.h"
#include "support/Footprint.h"
#include "support/RunningApp.h"
#include "support/SmxBytes.h"
#include "support/WindowState.h"
#include "ui/Button.h"
#include "ui/Viewport.h"

namespace fs = std::filesystem;

// Bytes allocated with new and not yet deleted, by this program and the libraries it calls.
std::atomic<std::int64_t> heldBytes{0};

void* operator new(std::size_t size) {
  auto* block = static_cast<std::max_align_t*>(std::malloc(sizeof(std::max_align_t) + size));
  if (!block) throw std::bad_alloc();
  heldBytes += std::int64_t(*reinterpret_cast<std::size_t*>(block) = size);
  return block + 1;
}

void operator delete(void* memory) noexcept {
  if (!memory) return;
  auto* block = static_cast<std::max_align_t*>(memory) - 1;
  heldBytes -= std::int64_t(*reinterpret_cast<std::size_t*>(block));
  std::free(block);
}

// Every other form goes through the two above, since a sanitizer's runtime replaces each form on its own.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try { return operator new(size); } catch (const std::bad_alloc&) { return nullptr; }
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* memory, std::size_t) noexcept { operator delete(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { operator delete(memory); }
void operator delete[](void* memory) noexcept { operator delete(memory); }
void operator delete[](void* memory, std::size_t) noexcept { operator delete(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { operator delete(memory); }

namespace {

constexpr int most = 65535;  // a window message carries 16 bits, zero-extended
constexpr unsigned cameraKeys[] = {keys::w, keys::a, keys::s, keys::d, keys::left, keys::right, keys::up, keys::down};

std::vector<std::string> shownPaths(const ButtonPanel& panel) {  // of the file boxes, in id order
  std::vector<std::string> paths;
  for (int id = 1; const Button* box = panel.get(id); ++id) paths.push_back(box->getText());
  return paths;
}

struct Soak {
  RecordingApp& app;
  Random random{1};
  std::vector<std::string> listed = shownPaths(app.panel);  // as it first showed
  std::set<GLuint> glyphs = liveLists();  // the font's lists, and a track's after them
  std::string clicked{};  // the path of the file box just clicked
  int opened = 0;
  bool minimised = false;

  int below(int bound) { return int(random.next() % std::uint64_t(bound)); }
  int anywhere(int size) { return below(below(5) ? size + 1 : most + 1); }  // mostly in the window

  void send() {
    clicked.clear();
    minimised = viewportWidth == 0;
    const int x = anywhere(viewportWidth), y = anywhere(viewportHeight), sizes[] = {0, 1, most, 1 + below(4000)};
    const unsigned flags = unsigned(below(32)), any = unsigned(below(most + 1));  // flags: any buttons and keys
    switch (below(10)) {
      case 0: case 1: case 2: return app.onMouseMove(x, y, flags);
      case 3: {  // a left click on the close box (clear of the info box) or the next file box
        if (!app.panel.isVisible()) app.onKeyUp(keys::space);  // a user shows a hidden overlay first
        if (app.help.isVisible()) app.onKeyUp(keys::h);  // and hides the help, which would take the click
        const int id = app.model.isLoaded() ? 0 : 1 + opened++ % int(listed.size());
        if (id) clicked = listed[std::size_t(id - 1)];
        app.onResize(std::max(viewportWidth, 306), std::max(viewportHeight, 25 * id + 1));  // the box in view
        return app.onMouseUp(viewportWidth - (id ? 105 : 27), id ? 25 * id - 10 : 15, mouseFlags::left | flags);
      }
      case 4: return app.onMouseUp(x, y, flags);
      case 5: return app.onKeyDown(below(4) ? cameraKeys[below(8)] : any % 256);
      case 6: return app.onKeyUp(below(3) ? (below(2) ? keys::space : keys::o) : any % 256);
      case 7: return app.onMouseWheel(x, y, flags, below(2) ? (below(2) ? 120 : 65416) : any);
      case 8: return app.onResize(sizes[below(4)], sizes[below(4)]);
      default: return below(3) ? (below(2) ? app.onFocus(below(2)) : app.onActivate(below(2))) : app.onTimer(any);
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
    // A 32-bit program refuses a file that declares more triangles than it can hold, as some damaged ones do.
    const bool refused = app.model.lastFailure() == SmxModel::Failure::OverCeiling;
    if (!clicked.empty() && !refused && (!loaded || app.model.path() != clicked)) return "a click on " + clicked;
    const Button *close = app.panel.get(ZarvoApp::closeBoxId), *info = app.panel.get(ZarvoApp::infoBoxId);
    if (loaded ? !close || !info || std::string(close->getText()) != "close" || app.panel.get(1)
               : close || info || shownPaths(app.panel) != listed)
      return loaded ? "not the mesh screen" : "not the file list";
    const std::set<GLuint> lists = liveLists();
    const auto& pieces = app.model.trackPieces();
    const auto listed = std::count_if(pieces.begin(), pieces.end(), [](const SmxModel::Piece& p) { return p.list != 0; });
    if (loaded ? lists.size() != glyphs.size() + 1 + std::size_t(listed) : lists != glyphs)
      return "not one list per track and per piece held as a list";
    if (windowTitle() != (loaded ? "Zarvo - " + app.model.path() : "Zarvo")) return "title " + windowTitle();
    return "";
  }
};

}  // namespace

#ifdef _WIN32  // the list holds the code page's names as UTF-8
constexpr const char* latin1Letters = "smx/caf\u00e9 \u00c5ngstr\u00f6m \u00fc\u00df\u00ff.smx";
#else  // Linux names are bytes: a Latin-1 one is listed and opened as it is
constexpr const char* latin1Letters = "smx/caf\xe9 \xc5ngstr\xf6m \xfc\xdf\xff.smx";
#endif

TEST(Soak, RandomInputAndTracks) {
  const std::string longest = std::string(251, 'L') + ".smx", circuit = "smx/circuit.smx", cut = "smx/cut.smx";
  // Listed in this order, as Windows sorts them: by their upper-case names.
  std::vector<std::string> paths = {"smx/ leading space.smx", "smx/%s%n%x%%.smx", "smx/..two dots.smx", "smx/.hidden.smx",
                                    "smx/.smx", "smx/100%.smx", latin1Letters,
                                    circuit, cut, "smx/" + longest, "smx/UPPER.SMX", "smxU/" + longest};
  const std::size_t sorted = paths.size() - 1;
  RunningApp running([&] {
    std::string error;
    fs::create_directories("smx/folder.smx");  // none of these is a track
    for (const char* other : {"smx/notes.txt", "smx/x.smx.bak"}) singleTriangleTrack().writeTo(other);
    for (const auto& path : paths) singleTriangleTrack().writeTo(path);
    for (const auto& path : {circuit, cut}) ASSERT_TRUE(writeCircuit(path, 16000, 5, error)) << error;  // big
    fs::resize_file(cut, fs::file_size(circuit) * 3 / 5);
#ifndef _WIN32  // Linux folders may hold pipes and devices, which are no tracks, and links to tracks
    mkfifo("smx/pipe.smx", 0600);
    fs::create_symlink("/dev/urandom", "smx/random.smx");
    fs::create_symlink("100%.smx", paths.emplace_back("smx/zlink.smx"));
#endif
    for (const auto& entry : fs::directory_iterator(ZARVO_FUZZ_CORPUS))
      fs::copy_file(entry.path(), paths.emplace_back("smxU/fuzz-" + entry.path().filename().string() + ".smx"));
  });
  ASSERT_TRUE(running.created);
  // NOTE: Mesa's glXUseXFont flags GL_OUT_OF_MEMORY for every glyph an X core font lacks; the lists stay empty.
  while (glGetError() != GL_NO_ERROR) {
  }
  running.app.doubleClickTime = {};  // its clicks come faster than a user's; the visit checks double-clicks
  Soak soak{running.app};
  EXPECT_TRUE(std::equal(paths.begin(), paths.begin() + sorted, soak.listed.begin()));
  std::int64_t warm = 0;
  for (int cycle = 0; cycle < 300; ++cycle) {
    if (cycle == 50) warm = heldBytes;
    const auto at = std::find(soak.listed.begin(), soak.listed.end(), cycle % 2 ? cut : circuit);
    running.openFile(1 + int(at - soak.listed.begin()));
    running.openFile(ZarvoApp::closeBoxId);
  }
  EXPECT_LT(heldBytes - warm, 1 << 16) << "bytes the last 250 cycles kept";

  for (int event = 1; event <= 3000; ++event) {
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

// 40 million empty objects, then a triangle (a sparse file), load for seconds: frames come no more than 0.5 s apart
// while the load walks over the headers and reads the objects, and a close sent during the read ends it within 0.5 s.
TEST(Soak, AFileOfEmptyObjectsRepaintsWhileItLoadsAndACloseEndsTheLoad) {
  RunningApp running([] {
    SmxBytes().header(40000001).object(3, 1).point(0, 0, 0).point(9, 0, 0).point(0, 9, 0).triangle(0, 1, 2)
        .writeTo("smx/empty.smx", 64, 24 * 40000000ull);
  });
  std::vector<std::chrono::steady_clock::time_point> frames{std::chrono::steady_clock::now()};
  running.app.afterRender = [&] {  // once the walk has counted the triangle, the objects are being read
    frames.push_back(std::chrono::steady_clock::now());
    if (running.app.model.declaredTriangles() == 1) askToClose();
  };
  running.openFile(1);
  frames.push_back(std::chrono::steady_clock::now());
  for (std::size_t i = 1; i < frames.size(); ++i)
    EXPECT_LT((frames[i] - frames[i - 1]) / std::chrono::milliseconds(1), 500) << "ms before frame " << i;
  EXPECT_TRUE(!running.app.model.isLoaded() && running.app.model.lastFailure() == SmxModel::Failure::Abandoned);
  EXPECT_EQ(platform::runMessageLoop(), 0);
}

// Children capped at address-space limits spread across the band from refused to drawn each open a big circuit;
// a sanitizer's runtime cannot live under such a cap. Each load ends refused, with the notice, the line, no list
// and its memory handed back, or with the track drawn in several views; none crashes.
#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__)
long processPages(int field) {  // of /proc/self/statm: 0 the address space, 1 the resident memory
  long pages[2] = {};
  std::ifstream("/proc/self/statm") >> pages[0] >> pages[1];
  return pages[field] * sysconf(_SC_PAGESIZE);
}

enum Outcome { Refused = 10, Drawn = 11 };

[[noreturn]] void openCappedBy(long headroom, const fs::path& track, std::int64_t triangles) {
  int outcome = 1;
  {
    RunningApp running([&] {
      fs::create_directories("smx"), fs::create_symlink(track, "smx/track.smx");
      singleTriangleTrack().writeTo("smxU/single.smx");
    });
    running.app.render();  // the renderer's threads and code are made before the cap
    const std::set<GLuint> lists = liveLists();
    const long resident = processPages(1);
    rlimit cap{rlim_t(processPages(0) + headroom), RLIM_INFINITY};
    EXPECT_EQ(setrlimit(RLIMIT_AS, &cap), 0);
    testing::internal::CaptureStdout();
    running.openFile(1);
    const std::string printed = testing::internal::GetCapturedStdout();
    if (running.app.model.isLoaded()) {
      for (const int tilt : {0, 60, 90}) running.app.rotateX = tilt, running.app.render(), glFinish();
      outcome = Drawn;
    } else {
      const std::string refusal = "smx/track.smx: too big for the memory left (" + std::to_string(triangles) + " triangles)";
      const Button* notice = running.app.panel.get(ZarvoApp::noticeBoxId);
      EXPECT_TRUE(printed == refusal + "\n" && notice && notice->getText() == refusal) << printed;
      EXPECT_EQ(liveLists(), lists);
      EXPECT_LT(processPages(1) - resident, 32 << 20) << "resident bytes the refused load kept";
      cap.rlim_cur = RLIM_INFINITY;  // with the memory back, another track opens
      EXPECT_EQ(setrlimit(RLIMIT_AS, &cap), 0);
      running.openFile(2);
      EXPECT_TRUE(running.app.model.isLoaded() && !running.app.panel.get(ZarvoApp::noticeBoxId));
      outcome = Refused;
    }
  }
  std::fflush(stdout);
  _exit(testing::Test::HasFailure() ? 1 : outcome);
}

TEST(Soak, UnderAnyAddressSpaceCapALoadEndsRefusedOrDrawnNeverInACrash) {
  const fs::path circuit = fs::temp_directory_path() / ("zarvo-capped-" + std::to_string(getpid()) + ".smx");
  const fs::path points = circuit.string() + "-points";
  std::string error;
  ASSERT_TRUE(writeCircuit(circuit.string(), 2000000, 5, error)) << error;
  // One object of 60 million points (a sparse file) and a triangle: an index reaches only the first 65,536.
  SmxBytes().header(1).object(60000000, 1).point(0, 0, 0).point(9, 0, 0).point(0, 9, 0).triangle(0, 1, 2)
      .writeTo(points.string(), 136, 16 * 59999997ull);
  std::vector<std::tuple<fs::path, int, long>> runs;  // the track, its triangles, the headroom
  for (long headroom = 40 << 20; headroom <= 400 << 20; headroom += 40 << 20) runs.push_back({circuit, 2000000, headroom});
  // Holding all its points was refused under the first cap and ran out of memory under the second.
  for (long headroom : {300L << 20, 1100L << 20}) runs.push_back({points, 1, headroom});
  std::vector<int> outcomes;
  for (const auto& [track, triangles, headroom] : runs) {
    const pid_t child = fork();
    if (child == 0) openCappedBy(headroom, track, triangles);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    outcomes.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
  }
  fs::remove(circuit), fs::remove(points);
  // Under 120 and 160 MB the circuit's pieces fit (a 96 MiB block, and 16 bytes a triangle), the headroom kept for
  // its first frame not.
  EXPECT_TRUE(std::all_of(outcomes.begin(), outcomes.end(), [](int o) { return o == Refused || o == Drawn; }) &&
              outcomes.front() == Refused && outcomes[2] == Refused && outcomes[3] == Refused && outcomes[9] == Drawn &&
              outcomes[10] == Drawn && outcomes[11] == Drawn)
      << testing::PrintToString(outcomes) << ": 10 refused, 11 drawn, 1 failed checks, above 128 a signal";
}
#endif

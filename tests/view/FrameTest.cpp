// One whole frame (projection, read-out, viewport, the pieces in view) and when the message loop draws it.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "Circuit.h"
#include "platform/Platform.h"
#include "platform/WindowInput.h"
#include "render/RendererQueue.h"
#include "support/RunningApp.h"
#include "support/SmxBytes.h"
#include "support/WindowState.h"
#include "ui/Button.h"
#include "ui/Viewport.h"

namespace {

void writeTrack() { singleTriangleTrack().writeTo("smx/track.smx"); }

// The whole window as the last frame drew it.
// NOTE: Mesa keeps the back buffer's pixels across the swap; its front buffer does not read back on Xvfb.
std::vector<unsigned char> picture() {
  std::vector<unsigned char> pixels(std::size_t(viewportWidth) * viewportHeight * 4);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, viewportWidth, viewportHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

}  // namespace

TEST(Frame, ResizeSetsTheViewportAndTheAspectRepaintsAskForAFrameAndTheFocusSetsTheOpacity) {
  RunningApp running;
  ZarvoApp& app = running.app;
  // The overlay pass draws with a projection of its own and restores the frame's.
  for (const auto& size : {std::pair{720, 480}, std::pair{1000, 700}}) {
    EXPECT_EQ(running.framesRequestedDuring([&] { app.onResize(size.first, size.second); }), 1u);
    app.render();  // its projection is the one gluPerspective makes of the window's aspect
    std::array<GLdouble, 16> drawn, expected;
    glGetDoublev(GL_PROJECTION_MATRIX, drawn.data());
    glMatrixMode(GL_PROJECTION);  // render ends in the model-view
    glLoadIdentity();
    gluPerspective(80, static_cast<double>(size.first) / size.second, 1, 30000);
    glGetDoublev(GL_PROJECTION_MATRIX, expected.data());
    EXPECT_EQ(drawn, expected);
  }
  app.onResize(0, 0);
  EXPECT_EQ(viewportHeight, 1) << "a minimised window keeps a height to divide by";
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 0);
  EXPECT_EQ(viewport[3], 1);
  for (auto repaint : {+[](ZarvoApp& a) { a.onActivate(false); }, +[](ZarvoApp& a) { a.onTimer(42); },
                       +[](ZarvoApp& a) { a.onFocus(false); }})
    EXPECT_EQ(running.framesRequestedDuring([&] { repaint(app); }), 1u);
  EXPECT_EQ(windowOpacity(), 128) << "half transparent while another window has the focus";
  app.onFocus(true);
  EXPECT_EQ(windowOpacity(), 255);
}

// A burst of key-downs queued faster than frames are drawn: every one moves the camera, and the one frame
// comes after the last; a single key-down gets its frame too. The frame ends the loop: nothing waits on a
// clock. (The X11 suite, which switches the keyboard layout that a key is looked up in, runs alone.)
TEST(Frame, QueuedInputIsAllHandledBeforeItsOneFrameWhichShowsTheCamera) {
  RunningApp running(writeTrack);
  running.openFile(1);
  platform::WindowInput input;
  running.app.afterRender = [&] { input.endLoop(); };
  running.app.requestFrame();
  platform::runMessageLoop();  // the start-up events and their frame
  for (int burst : {20, 1}) {
    running.app.panel.setVisible(burst == 20);
    running.app.calls.clear();
    for (int i = 0; i < burst; ++i) input.keyDown('W');
    platform::runMessageLoop();
    std::vector<std::string> order;
    for (const auto& call : running.app.calls)
      if (call.handler == "onKeyDown" || call.handler == "render") order.push_back(call.handler);
    std::vector<std::string> expected(burst, "onKeyDown");
    expected.push_back("render");
    EXPECT_EQ(order, expected) << "burst of " << burst;
  }
  EXPECT_STREQ(running.app.panel.get(ZarvoApp::infoBoxId)->getText(),
               "translate: 0, -2100, -10000\n   rotate: 0, 0, 0\nfov, clip: 80, 1, 30000")
      << "one step per key-down; the read-out of the last frame, kept up to date with the overlay hidden";
}

// Each view drawn from arrays, whole or with the pieces out of view skipped and the triangles that light no
// pixel left out, must be the picture the display lists give, axes and all, on each of the sample tracks. On
// the largest, the cull is tried on the far pieces, whose triangles are small, and the renderer is never
// handed much more than its bound between two waits.
TEST(Frame, ArraysCulledOrWholeDrawTheListsPicture) {
  // The sample tracks; d is the largest.
  const struct Track { std::int64_t triangles; std::uint64_t seed; const char* name; } tracks[] = {
      {20000, 3, "a"}, {80000, 5, "b"}, {250000, 7, "c"}, {1000000, 11, "d"}};
  // The sanitized build, many times slower, takes the same paths over the two smallest tracks alone.
#ifdef __SANITIZE_ADDRESS__
  const int files = 2;
#else
  const int files = 4;
#endif
  std::string error;
  RunningApp running([&] {
    std::filesystem::create_directory("smx");
    for (const Track& track : std::vector<Track>(tracks, tracks + files))
      writeCircuit("smx/" + std::string(track.name) + ".smx", track.triangles, track.seed, error);
  });
  ZarvoApp& app = running.app;
  ASSERT_TRUE(app.panel.get(files)) << error;
  app.model.setShowAxes(true);
  // spot: above the middle of a piece of the track, else above the mesh's origin; translations in view units.
  // On the largest track, skips: pieces are left out; mostCulled: most pieces drawn are culled, as in far views.
  const struct View { const char* name; bool spot; int x, y, z, rotateX, rotateY, rotateZ; float fov; bool skips, mostCulled, odd; } views[] = {
      {"start", false, 0, 0, -10000, 0, 0, 0, 80, false, true, false},
      {"low, looking down", true, 0, 0, -100, 0, 0, 0, 80, true, false, false},
      {"low, tilted toward the horizon", true, 0, 0, -20, 88, 0, 0, 80, true, false, false},
      {"tilted", false, 0, 3000, -6000, 40, 0, 0, 80, true, true, false},
      {"turned", true, 30, -40, -300, 50, 25, -135, 80, true, false, false},
      {"looking up, away from the track", false, 0, 0, -10000, 180, 0, 0, 80, true, false, false},
      {"the far plane cuts the track", false, 2000, 0, -20000, 55, 0, 40, 80, true, true, false},
      {"the ground at the far plane", false, 0, 0, -29000, 20, 0, 0, 80, false, true, false},
      {"beyond the far plane, with room for rounding", false, 0, 0, -60000, 0, 0, 0, 80, true, false, false},
      {"the near plane cuts the track", true, 0, 0, -10, 30, 0, 0, 80, true, false, false},
      {"narrow", true, 0, 0, -1000, 20, 0, 10, 3, true, false, false},
      {"wide", false, 0, 0, -1000, 0, 0, 0, 175, false, true, false},
      {"mirrored", true, 0, 0, -500, 0, 0, 0, -60, true, false, false},
      {"start, the window at an odd size", false, 0, 0, -10000, 0, 0, 0, 80, false, true, true},
      {"tilted, the window at an odd size", false, 0, 3000, -6000, 40, 0, 0, 80, true, true, true}};
  for (int file = 1; file <= files; ++file) {
    std::vector<std::vector<unsigned char>> lists;
    std::size_t leftOut = 0;
    for (const bool arrays : {false, true}) {
      app.onButton(ZarvoApp::closeBoxId, nullptr);  // back to the file list
      app.model.holdAsArrays(arrays);
      running.openFile(file);
      const std::string track = app.model.path();
      const auto& pieces = app.model.trackPieces();
      ASSERT_FALSE(pieces.empty()) << track;
      const SmxModel::Piece& middle = pieces[pieces.size() / 2];
      for (std::size_t v = 0; v < std::size(views); ++v) {
        const View& view = views[v];
        app.onResize(view.odd ? 611 : 720, view.odd ? 353 : 480);
        app.translateX = view.x - (view.spot ? int((std::int64_t{middle.low[0]} + middle.high[0]) / 20000) : 0);
        app.translateY = view.y - (view.spot ? int((std::int64_t{middle.low[1]} + middle.high[1]) / 20000) : 0);
        std::tie(app.translateZ, app.rotateX, app.rotateY, app.rotateZ, app.fov) =
            std::tie(view.z, view.rotateX, view.rotateY, view.rotateZ, view.fov);
        app.model.setCulling(false);
        app.render();
        if (!arrays) {
          lists.push_back(picture());
          continue;
        }
        EXPECT_TRUE(picture() == lists[v]) << track << ", " << view.name << ", whole";
        app.model.setCulling(true);
        app.render();
        EXPECT_TRUE(picture() == lists[v]) << track << ", " << view.name << ", culled";
        leftOut += app.model.trianglesLeftOut();
        if (track != "smx/d.smx") continue;  // smaller tracks have too few pieces for every such view to skip one
        const std::size_t drawn = app.model.piecesDrawn();
        EXPECT_EQ(drawn < pieces.size(), view.skips) << view.name;
        EXPECT_EQ(app.model.piecesCulled() * 2 > drawn, view.mostCulled) << view.name << ": " << app.model.piecesCulled() << " of " << drawn;
        EXPECT_LE(app.model.mostQueued(), RendererQueue::mostQueued + 4 * SmxModel::maxPieceTriangles) << view.name;
      }
    }
    EXPECT_GT(leftOut, 0u) << file << ": the views must leave some triangles out to test their culling";
  }
}

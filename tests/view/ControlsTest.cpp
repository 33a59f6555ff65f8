// Every camera control on the running app, checked where the user sees it: the read-out and the picture.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>

#include "platform/InputCodes.h"
#include "support/RunningApp.h"
#include "support/SmxBytes.h"
#include "ui/Button.h"
#include "ui/Viewport.h"

namespace {

// Four squares 5000 view units a side on the origin, counter-clockwise from the +x +y one: red, green,
// blue and yellow, on a black ground. Each pixel of the picture tells which quarter of the plane it shows.
void writeQuarters() {
  constexpr std::int32_t side = 50000000, edges[5][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {1, 0}};
  constexpr unsigned char blueGreenRed[4][3] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {0, 255, 255}};
  SmxBytes track;
  track.header(1).object(16, 8);
  for (int q = 0; q < 4; ++q) {
    const auto [ax, ay] = edges[q];
    const auto [bx, by] = edges[q + 1];
    for (const auto& [x, y] : {std::pair{0, 0}, {ax, ay}, {ax + bx, ay + by}, {bx, by}})
      track.point(x * side, y * side, 0, blueGreenRed[q][0], blueGreenRed[q][1], blueGreenRed[q][2]);
  }
  for (unsigned q = 0; q < 4; ++q) track.triangle(4 * q, 4 * q + 1, 4 * q + 2).triangle(4 * q, 4 * q + 2, 4 * q + 3);
  track.writeTo("smx/quarters.smx");
}

// Plays tokens such as "W3" (three presses of W), "<" and ">" (the Left and Right arrows), "^" and "v" (Up
// and Down), "+" and "-" (a wheel notch away and back), "x-90" or "y60" (a right-button drag of 90 pixels to
// the left or 60 down); returns how many input events it sent.
int play(ZarvoApp& app, const std::string& tokens) {
  const unsigned pressed[] = {keys::w, keys::a, keys::s, keys::d, keys::left, keys::right, keys::up, keys::down};
  std::istringstream in(tokens);
  int events = 0;
  for (std::string token; in >> token;) {
    const char kind = token[0];
    const int count = token.size() > 1 ? std::stoi(token.substr(1)) : 1;
    const bool drag = kind == 'x' || kind == 'y';
    if (drag) app.onMouseMove(300, 300, 0), app.onMouseMove(300 + (kind == 'x') * count, 300 + (kind == 'y') * count, mouseFlags::right);
    for (int i = 0; !drag && i < count; ++i)
      kind == '+' || kind == '-' ? app.onMouseWheel(360, 240, 0, kind == '+' ? 120 : 65416)
                                 : app.onKeyDown(pressed[std::string("WASD<>^v").find(kind)]);
    events += drag ? 1 : count;
  }
  return events;
}

// What the last frame shows at each probe, row by row from the top: the letter of a square's colour, k for
// the ground, . for anything else.
std::string probes() {
  std::string seen;
  for (int y : {100, 200, 290, 420}) {
    seen += seen.empty() ? "" : " ";
    for (int x : {90, 240, 380, 480, 630}) {
      unsigned char p[4];
      glReadBuffer(GL_BACK);
      glReadPixels(x, viewportHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
      seen += p[0] + p[1] + p[2] < 60 ? 'k' : ".BG.R.Y."[(p[0] > 200) * 4 + (p[1] > 200) * 2 + (p[2] > 200)];
    }
  }
  return seen;
}

}  // namespace

// Each row opens the track anew, plays its input and checks the read-out and the probes of the picture; every
// input asks for one frame. The track's asymmetry makes a mirrored picture or a wrong direction fail.
TEST(Controls, EachInputMovesTheReadOutAndThePictureAsTheUserExpects) {
  const struct { const char *input, *readOut, *probes; } rows[] = {
      {"+9 x-90 W3 D", "300, -100, -1000\n   rotate: 0, 0, 90\nfov, clip: 80", "BBGGG BBGGG BBGGG YYRRR"},  // turned
      {"y-60 +18 S2 A3", "30, 20, -100\n   rotate: 60, 0, 0\nfov, clip: 80", "GGRRR GGGRR GGGRR GGGRR"},  // step 10
      {"x40 x-10 y-50 y20", "0, 0, -10000\n   rotate: 30, 0, -30\nfov, clip: 80", "..... .kkk. kkRk. kGYYk"},  // every way
      {"+9 <3 ^10", "0, 0, -1000\n   rotate: 0, 15, 0\nfov, clip: 90", "GGGRR GGGRR BBBYY BBBYY"},
      {"-2 v20 x35", "0, 0, -12000\n   rotate: 0, 0, -35\nfov, clip: 60", "kkRkk kGRYk kGBYk kkBkk"},
      {"x-60 y-30 +12 >4 A5 ^20", "175, 300, -700\n   rotate: 30, -20, 60\nfov, clip: 100", "BBGG. BBGGR BBGRR BBYRR"},
      {"", "0, 0, -10000\n   rotate: 0, 0, 0\nfov, clip: 80", "kGRRk kGRRk kBYYk kkkkk"},  // all reset
  };
  RunningApp running(writeQuarters);
  ZarvoApp& app = running.app;
  for (const auto& row : rows) {
    running.openFile(1);
    int events = 0;
    const size_t frames = running.framesRequestedDuring([&] { events = play(app, row.input); });
    EXPECT_EQ(frames, size_t(events)) << row.input;
    app.render();
    EXPECT_EQ(app.panel.get(ZarvoApp::infoBoxId)->getText(),
              "translate: " + std::string(row.readOut) + ", 1, 30000") << row.input;
    EXPECT_EQ(probes(), row.probes) << row.input;
    running.openFile(ZarvoApp::closeBoxId);
  }
  // Without a track only the overlay and axes toggles ask for a frame.
  EXPECT_EQ(running.framesRequestedDuring([&] { play(app, rows[5].input); }), 0u);
  EXPECT_EQ(running.framesRequestedDuring([&] { app.onKeyUp(keys::space), app.onKeyUp(keys::o), app.onKeyUp(keys::w); }), 2u);
}

TEST(Controls, DragMeasuresFromTheLastPositionSeenWithATrackAndNeverHighlights) {
  RunningApp running([] { singleTriangleTrack().writeTo("smx/track.smx"); });
  ZarvoApp& app = running.app;
  running.openFile(1);
  app.onMouseMove(50, 60, 0);
  running.openFile(ZarvoApp::closeBoxId);
  app.onMouseMove(400, 400, 0);
  running.openFile(1);
  app.onMouseMove(60, 60, mouseFlags::right);
  EXPECT_EQ(app.rotateZ, -10) << "measured from 50, not from 400";

  // The close box sits 5 pixels from the top right corner: x 670..715, y 5..25.
  Button* close = app.panel.get(ZarvoApp::closeBoxId);
  app.onMouseMove(690, 15, mouseFlags::right);
  EXPECT_EQ(close->getColour()[0], 0);
  EXPECT_EQ(running.framesRequestedDuring([&] { app.onMouseMove(690, 15, 0); }), 1u);
  EXPECT_EQ(close->getColour()[0], 128) << "a plain move highlights it";
}

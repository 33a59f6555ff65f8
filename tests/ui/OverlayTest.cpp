// The overlay's boxes and their panel in a real window, read back in feedback or pixels.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/Feedback.h"
#include "support/RunningApp.h"
#include "ui/Button.h"
#include "ui/ButtonPanel.h"
#include "ui/Callback.h"
#include "ui/Utf8Text.h"
#include "ui/Viewport.h"

namespace {

std::array<int, 4> rgba(const FeedbackVertex& v) {
  return {int(std::lround(v.r * 255)), int(std::lround(v.g * 255)), int(std::lround(v.b * 255)), int(std::lround(v.a * 255))};
}

std::vector<FeedbackItem> drawn(const Button& box) {
  usePixelProjection(viewportWidth, viewportHeight);
  return captureFeedback([&] { box.draw(); });
}

char stateOf(const Button* box) {  // Normal, Highlighted or neither
  const unsigned char* c = box->getColour();
  const std::array<int, 4> colour{c[0], c[1], c[2], c[3]};
  return colour == std::array{0, 0, 0, 128} ? 'N' : colour == std::array{128, 128, 128, 128} ? 'H' : '?';
}

class Overlay : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(running.created);  // and its GL state set as the program sets it: the boxes must hold up under it
    callback.bind(this, &Overlay::onButton);
    panel.setListener(&callback);
  }
  // Logs each click as "id:text;"; with rebuild set it rebuilds the panel inside the click, as a screen change does.
  void onButton(int id, Button* box) {
    log += std::to_string(id) + ":" + box->getText() + ";";
    if (!std::exchange(rebuild, false)) return;
    panel.clear();
    for (int newId : {10, 11}) panel.add(newId, new Button(0, 0, 720, 480));
  }
  Button* addBox(int id, int left, int width = 50) {
    auto* box = new Button(left, 0, width, 20);
    box->setAnchor(AnchorBottomLeft);
    box->setText("box %d", id);
    EXPECT_TRUE(panel.add(id, box));
    return box;
  }
  // The panel takes window rows, counted down from the top.
  bool hover(int x) { return panel.hover(x, viewportHeight - 10, 0); }
  bool click(int x, unsigned flags = 0x01) { return panel.click(x, viewportHeight - 10, flags); }

  RunningApp running;
  std::string log;
  bool rebuild = false;
  TCallback<Overlay> callback;
  ButtonPanel panel;
};

// hitTest and draw must agree on the placement, read from the viewport of the moment. The body is
// a front-facing gradient from the box colour up to grey, in a white outline.
TEST_F(Overlay, AnchorsPlaceTheBoxForHitsAndDrawing) {
  // Viewport, box as given, anchor, visible, clickable, then the box as placed: left, bottom, width, height.
  const std::array<int, 13> cases[] = {
      {720, 480, 5, 5, 45, 20, AnchorTopRight, 1, 1, 670, 455, 45, 20},
      {800, 600, 5, 5, 45, 20, AnchorTopRight, 1, 1, 750, 575, 45, 20},
      {720, 480, 5, 30, 200, 20, AnchorTopLeft, 0, 1, 5, 430, 200, 20},
      {720, 480, 10, 20, 100, 46, AnchorBottomLeft, 1, 1, 10, 20, 100, 46},
      {720, 480, 10, 15, 100, 20, AnchorBottomRight, 1, 0, 610, 15, 100, 20},
      {720, 480, 5, 30, 200, 20, 7, 1, 1, 5, 30, 200, 20},  // out of range: bottom left
      {640, 400, -3, -7, -1, -20, AnchorTopRight, 1, 1, 640, 400, 0, 0},  // negatives are 0
  };
  glLineWidth(3.0f);
  for (const auto& [viewWidth, viewHeight, x, y, width, height, anchor, visible, clickable, left, bottom, w, h] : cases) {
    SCOPED_TRACE(left);
    Button box(x, y, width, height);  // placed under the previous row's viewport
    box.setAnchor(static_cast<Anchor>(anchor));
    box.setVisible(visible);
    box.setClickable(clickable);
    box.setColour(10, 20, 30, 40);
    viewportWidth = viewWidth;
    viewportHeight = viewHeight;
    const long right = left + w, top = bottom + h;
    auto hit = [&](long x, long y) { return box.hitTest(x, viewHeight - y); };  // rows count down
    EXPECT_EQ(hit(left, bottom) && hit(left, top) && hit(right, bottom) && hit(right, top), bool(clickable));
    EXPECT_FALSE(hit(left - 1, top) || hit(right + 1, bottom) || hit(left, bottom - 1) || hit(right, top + 1));

    std::vector<std::array<long, 4>> lines;
    float area = 0;  // back faces are culled: a clockwise body leaves nothing
    for (const auto& [token, p] : drawn(box)) {
      if (token != GL_POLYGON_TOKEN) {
        lines.push_back({std::lround(p[0].x), std::lround(p[0].y), std::lround(p[1].x), std::lround(p[1].y)});
        EXPECT_EQ(rgba(p[0]), (std::array{255, 255, 255, 128}));
        continue;
      }
      area += ((p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y)) / 2;
      for (const auto& v : p)
        EXPECT_EQ(rgba(v), std::lround(v.y) == bottom ? (std::array{10, 20, 30, 40}) : (std::array{128, 128, 128, 128}));
    }
    const decltype(lines) outline{{left, bottom, right, bottom}, {right, bottom, right, top}, {right, top, left, top}, {left, top, left, bottom}};
    EXPECT_EQ(lines, visible ? outline : decltype(lines){});
    EXPECT_NEAR(area, visible ? w * h : 0, 1e-2);
  }
  GLfloat lineWidth = 0;
  glGetFloatv(GL_LINE_WIDTH, &lineWidth);
  EXPECT_EQ(lineWidth, 1.0f);
}

TEST_F(Overlay, TextLinesStartAtThePenBelowTheTopEdgeSkipEmptyLinesAndWrapAtTheBoxEdge) {
  // Glyphs of one pixel advancing 8, and one more list after the font's 255 that must never run.
  const int font = static_cast<int>(glGenLists(256));
  const GLubyte pixel = 0x80;
  for (int list = font; list <= font + 255; ++list) {
    glNewList(list, GL_COMPILE);
    glBitmap(1, 1, 0, 0, 8, 0, &pixel);
    glEndList();
  }
  Button box(10, 20, 200, 46);  // top left: top edge at 460, first pen at (14, 448)
  box.setWrapping(true);  // 24 glyphs a line
  auto at = [](long column, long line) { return std::array{14 + 8 * column, 448 - 14 * line}; };
  auto lines = [&](std::vector<long> lengths, std::vector<std::array<long, 2>> glyphs = {}) {  // every glyph of them
    for (long line = 0; line < long(lengths.size()); ++line) for (long c = 0; c < lengths[line]; ++c) glyphs.push_back(at(c, line));
    return glyphs;
  };
  const std::tuple<int, std::string, std::vector<std::array<long, 2>>> cases[] = {
      {font, "\nab\n\ncd", {at(0, 0), at(1, 0), at(0, 1), at(1, 1)}},
      {font, std::string(24, 'a') + " " + std::string(30, 'b'), lines({24, 24, 6})},  // at the space, then the edge
      {font, "a\xff" "b\n\xff\xff" "c", {at(0, 0), at(1, 0), at(0, 1)}},  // byte 255 is dropped
      {0, "x", {}},  // font 0 is no font: the list named 'x' must not run
      {font, "\u00e9\u03a9\U0001F600", {at(0, 0), at(1, 0), at(2, 0)}},  // one glyph a UTF-8 letter
  };
  for (const auto& [base, text, glyphs] : cases) {
    box.setFont(base);
    box.setPlainText(text);
    glListBase(3);
    std::vector<std::array<long, 2>> seen;
    for (const auto& glyph : itemsOfKind(drawn(box), GL_BITMAP_TOKEN)) {
      seen.push_back({std::lround(glyph.vertices[0].x), std::lround(glyph.vertices[0].y)});
      EXPECT_EQ(rgba(glyph.vertices[0]), (std::array{255, 255, 255, 255}));  // colour set before the position
    }
    EXPECT_EQ(seen, glyphs) << text;
    GLint listBase = -1;
    glGetIntegerv(GL_LIST_BASE, &listBase);
    EXPECT_EQ(listBase, 3) << "the box's list base leaked out of draw";
  }
  // Formatted text keeps 255 characters and a null format the text; plain text is kept whole.
  box.setText("%d%s", 7, std::string(300, 'q').c_str());
  box.setText(static_cast<const char*>(nullptr));
  EXPECT_EQ(box.getText(), "7" + std::string(254, 'q'));
  const std::string path = "smx/" + std::string(400, 'd') + "/100%s%n.smx";
  box.setPlainText(path);
  EXPECT_EQ(box.getText(), path);
  // Latin-1 letters draw as their codes, others (and 255, which has no glyph) as '?'; text that is not UTF-8 keeps
  // its bytes.
  EXPECT_EQ(fontCodes("caf\u00e9 \u00fe\u00ff\u0150\U0001F600"), "caf\xe9 \xfe???");
  EXPECT_EQ(fontCodes("caf\xe9 \xc3"), "caf\xe9 \xc3");

}

TEST_F(Overlay, PanelHoverChangesAtMostOneBoxPerCallAndAHiddenPanelNothing) {
  // Pointer column, whether a box changed, each box's state after: Highlighted or Normal.
  const std::vector<std::tuple<int, bool, std::string>> sequences[] = {
      {{25, true, "HN"}, {25, false, "HN"}, {85, true, "NN"}, {85, true, "NH"}, {85, false, "NH"}},
      {{85, true, "NH"}, {25, true, "HH"}, {25, true, "HN"}, {300, true, "NN"}, {300, false, "NN"}}};
  for (const auto& steps : sequences) {
    testing::internal::CaptureStdout();
    panel.clear();  // silently, however many boxes it holds
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    const Button* boxes[] = {addBox(1, 0), addBox(2, 60)};
    for (const auto& [x, changed, state] : steps) {
      EXPECT_EQ(hover(x), changed) << x;
      EXPECT_EQ((std::string{stateOf(boxes[0]), stateOf(boxes[1])}), state) << x;
    }
  }
  // Only the red byte tells normal from highlighted.
  Button* tinted = panel.get(1);
  tinted->setColour(0, 200, 200, 10);
  panel.get(2)->setColour(64, 0, 0, 128);
  EXPECT_TRUE(hover(10));
  EXPECT_FALSE(hover(10));
  EXPECT_EQ((std::string{stateOf(tinted), stateOf(panel.get(2))}), "H?");
  Button refused;  // stays the caller's: the panel must never delete it
  EXPECT_FALSE(panel.add(1, &refused));
  EXPECT_TRUE(panel.get(1) == tinted && panel.remove(2) && !panel.remove(2) && !panel.get(2) && !panel.remove(7));

  panel.setVisible(false);
  EXPECT_FALSE(hover(300) || click(10));
  EXPECT_TRUE(captureFeedback([&] { panel.draw(); }).empty() && stateOf(tinted) == 'H' && log.empty());
}

TEST_F(Overlay, PanelClickGoesToTheLowestClickableIdUnderTheLeftButtonAndHigherIdsDrawOnTop) {
  addBox(2, 25)->setColour(0, 0, 255, 255);
  addBox(1, 0)->setColour(255, 0, 0, 255);
  addBox(-1, 200, 200)->setClickable(false);  // takes no clicks: they reach box 3 beneath, or nothing
  addBox(3, 250);
  addBox(4, 500)->setVisible(false);
  const std::tuple<int, unsigned, std::string> cases[] = {
      {40, 0x01, "1:box 1;"}, {40, 0x02, ""}, {40, 0x10, ""}, {40, 0x19, "1:box 1;"},
      {600, 0x01, ""}, {210, 0x01, ""}, {260, 0x01, "3:box 3;"}, {510, 0x01, "4:box 4;"}};
  for (const auto& [x, flags, clicked] : cases) {
    log.clear();
    EXPECT_EQ(click(x, flags), !clicked.empty()) << x << " flags " << flags;
    EXPECT_EQ(log, clicked) << x << " flags " << flags;
  }
  // Drawn over any depth, in ascending ids, with no matrix left pushed.
  glClearDepth(0.25);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glClearDepth(1.0);
  panel.draw();
  std::array<GLubyte, 8> pixels{};  // (10, 2): box 1 alone; (40, 2): box 2 over box 1
  glReadPixels(10, 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  glReadPixels(40, 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data() + 4);
  EXPECT_TRUE(pixels[0] > 200 && pixels[2] < 60 && pixels[4] < 60 && pixels[6] > 200);
  GLint stackDepth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &stackDepth);
  EXPECT_EQ(stackDepth, 1);

  TCallback<Overlay> unbound;  // a listener bound to nothing ignores the click
  panel.setListener(&unbound);
  EXPECT_TRUE(click(40));
  panel.setListener(nullptr);
  EXPECT_FALSE(click(40));
  // A listener may rebuild the panel: the new boxes lie under the pointer too, and must not be clicked.
  panel.setListener(&callback);
  rebuild = true;
  EXPECT_TRUE(click(10));
  EXPECT_EQ(log, "4:box 4;1:box 1;");
  EXPECT_TRUE(!panel.get(1) && !panel.get(2) && panel.get(10) && panel.get(11));
}

}  // namespace

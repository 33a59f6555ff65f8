#include <GL/gl.h>

#include <array>
#include <string>

#include "OverlayTest.h"
#include "ui/Button.h"
#include "ui/ButtonPanel.h"
#include "ui/Callback.h"
#include "ui/Viewport.h"

namespace {

// Records each click as "id:text"; set rebuild to rebuild the panel from inside the click, as a screen change does.
struct Recorder {
  std::vector<std::string> clicks;
  ButtonPanel* rebuild = nullptr;

  void onButton(int id, Button* button) {
    clicks.push_back(std::to_string(id) + ":" + button->getText());
    if (!rebuild) return;
    rebuild->clear();
    for (int newId : {10, 11}) rebuild->add(newId, new Button(0, 0, 720, 480));
  }
};

using Colour = std::array<int, 4>;
const Colour kNormal{0, 0, 0, 128};
const Colour kHighlight{128, 128, 128, 128};
Colour colourOf(const Button* box) {
  const unsigned char* c = box->getColour();
  return {c[0], c[1], c[2], c[3]};
}

class ButtonPanelTest : public OverlayTest {
 protected:
  void SetUp() override {
    OverlayTest::SetUp();
    callback.bind(&recorder, &Recorder::onButton);
    panel.setListener(&callback);
  }

  Button* addBox(int id, int left, int bottom, int width = 50, int height = 20) {
    auto* box = new Button(left, bottom, width, height);
    box->setAnchor(AnchorBottomLeft);
    box->setText("box %d", id);
    EXPECT_TRUE(panel.add(id, box));
    return box;
  }

  // Mouse rows count down from the top; these take the overlay's row, counted up.
  bool hover(int x, int y) { return panel.hover(x, viewportHeight - y, 0); }
  bool click(int x, int y, unsigned flags = 0x01) { return panel.click(x, viewportHeight - y, flags); }

  Recorder recorder;
  TCallback<Recorder> callback;
  ButtonPanel panel;
};

TEST_F(ButtonPanelTest, HoverChangesAtMostOneBoxPerCall) {
  // Each step: where the mouse goes, whether a box changed, then each box's state (Highlighted or Normal).
  struct Step {
    int x;
    bool changed;
    const char* state;
  };
  const int onFirst = 25, onSecond = 85, onNone = 300;
  const std::vector<Step> sequences[] = {
      {{onFirst, true, "HN"}, {onFirst, false, "HN"}, {onSecond, true, "NN"}, {onSecond, true, "NH"}, {onSecond, false, "NH"}},
      {{onSecond, true, "NH"}, {onFirst, true, "HH"}, {onFirst, true, "HN"}, {onNone, true, "NN"}, {onNone, false, "NN"}},
  };
  for (const auto& steps : sequences) {
    panel.clear();
    const Button* boxes[] = {addBox(1, 0, 0), addBox(2, 60, 0)};
    for (const Step& step : steps) {
      SCOPED_TRACE(&step - steps.data());
      EXPECT_EQ(hover(step.x, 10), step.changed);
      std::string state;
      for (const Button* box : boxes) state += colourOf(box) == kHighlight ? 'H' : colourOf(box) == kNormal ? 'N' : '?';
      EXPECT_EQ(state, step.state);
    }
  }

  // Only the red byte tells normal from highlighted; a hidden panel changes nothing.
  panel.clear();
  Button* tinted = addBox(1, 0, 0);
  tinted->setColour(0, 200, 200, 10);
  Button* odd = addBox(2, 0, 0);
  odd->setColour(64, 0, 0, 128);
  EXPECT_TRUE(hover(10, 10));
  EXPECT_EQ(colourOf(tinted), kHighlight);
  EXPECT_FALSE(hover(10, 10));
  EXPECT_EQ(colourOf(odd), (Colour{64, 0, 0, 128}));
  panel.setVisible(false);
  EXPECT_FALSE(hover(300, 300));
  EXPECT_FALSE(click(10, 10));
  EXPECT_EQ(colourOf(tinted), kHighlight);
  EXPECT_TRUE(recorder.clicks.empty());
}

TEST_F(ButtonPanelTest, ClickGoesToTheLowestClickableIdUnderTheLeftButton) {
  addBox(2, 25, 0)->setColour(0, 0, 255, 255);
  addBox(1, 0, 0)->setColour(255, 0, 0, 255);
  Button* info = addBox(-1, 200, 0, 200, 40);
  info->setClickable(false);
  addBox(3, 250, 0);
  addBox(4, 500, 0)->setVisible(false);
  const struct {
    int x;
    unsigned flags;
    int id;  // 0: no click
  } cases[] = {{40, 0x01, 1}, {40, 0x02, 0}, {40, 0x10, 0}, {40, 0x03, 1}, {40, 0x19, 1}, {600, 0x01, 0},
               // The info box takes no clicks: they pass to box 3 beneath it, or to nothing.
               {210, 0x01, 0}, {260, 0x01, 3}, {510, 0x01, 4}};
  for (const auto& c : cases) {
    recorder.clicks.clear();
    EXPECT_EQ(click(c.x, 10, c.flags), c.id != 0) << c.x << " flags " << c.flags;
    const std::string clicked = std::to_string(c.id) + ":box " + std::to_string(c.id);
    EXPECT_EQ(recorder.clicks, c.id ? std::vector{clicked} : std::vector<std::string>{}) << c.x << " flags " << c.flags;
  }

  // Drawing in ascending ids puts the higher id on top where boxes overlap.
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  panel.draw();
  glFinish();
  auto pixel = [](int x, int y) {
    std::array<GLubyte, 4> rgba{};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
  };
  const auto onlyFirst = pixel(10, 2), overlap = pixel(40, 2);
  EXPECT_GT(onlyFirst[0], 200);
  EXPECT_LT(onlyFirst[2], 60);
  EXPECT_LT(overlap[0], 60);
  EXPECT_GT(overlap[2], 200);

  ButtonPanel withoutListener;
  withoutListener.add(1, new Button(0, 0, 720, 480));
  EXPECT_FALSE(withoutListener.click(10, 10, 0x01));
}

TEST_F(ButtonPanelTest, ListenerMayRebuildThePanelDuringClick) {
  addBox(1, 0, 0);
  addBox(2, 60, 0);
  recorder.rebuild = &panel;
  EXPECT_TRUE(click(10, 10));
  // The new boxes lie under the mouse too: a walk that went on would click them.
  EXPECT_EQ(recorder.clicks, std::vector<std::string>{"1:box 1"});
  EXPECT_EQ(panel.get(1), nullptr);
  EXPECT_EQ(panel.get(2), nullptr);
  EXPECT_NE(panel.get(10), nullptr);
  EXPECT_NE(panel.get(11), nullptr);
}

TEST_F(ButtonPanelTest, AddRemoveAndClearKeepOwnershipStraight) {
  Button* kept = addBox(5, 0, 0);
  Button refused;
  EXPECT_FALSE(panel.add(5, &refused));  // stays the caller's: the panel must never delete it
  EXPECT_EQ(panel.get(5), kept);
  EXPECT_FALSE(panel.remove(7));
  EXPECT_TRUE(panel.remove(5));
  EXPECT_EQ(panel.get(5), nullptr);
  EXPECT_FALSE(panel.remove(5));

  for (int id : {3, -1, 0, 1}) addBox(id, 0, 0);
  testing::internal::CaptureStdout();
  panel.clear();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  for (int id : {3, -1, 0, 1}) EXPECT_EQ(panel.get(id), nullptr);
  addBox(4, 0, 0);
  EXPECT_TRUE(click(10, 10));
  EXPECT_EQ(recorder.clicks, std::vector<std::string>{"4:box 4"});
}

TEST_F(ButtonPanelTest, HiddenPanelDrawLeavesMatricesAndDepthAlone) {
  addBox(1, 0, 0);
  auto depth = [] {
    GLfloat d = -1;
    glReadPixels(300, 300, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &d);
    return d;
  };
  auto matrices = [] {
    std::array<GLfloat, 32> m{};
    glGetFloatv(GL_PROJECTION_MATRIX, m.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data() + 16);
    return m;
  };
  glMatrixMode(GL_MODELVIEW);
  glScalef(2, 3, 4);
  glMatrixMode(GL_PROJECTION);
  glTranslatef(1, 2, 3);
  glClearDepth(0.25);
  glClear(GL_DEPTH_BUFFER_BIT);
  glClearDepth(1.0);
  const auto before = matrices();
  panel.setVisible(false);
  EXPECT_TRUE(captureFeedback([&] { panel.draw(); }).empty());
  panel.draw();
  EXPECT_NEAR(depth(), 0.25f, 1e-3f);
  EXPECT_EQ(matrices(), before);

  // Shown, the boxes lie over any depth, and no matrix is left pushed.
  panel.setVisible(true);
  panel.draw();
  EXPECT_NEAR(depth(), 1.0f, 1e-3f);
  GLint stackDepth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &stackDepth);
  EXPECT_EQ(stackDepth, 1);
}

TEST_F(ButtonPanelTest, CreateFontReserves255GlyphLists) {
  const int base = panel.createFont(12, "Courier New");
  ASSERT_NE(base, 0);
  EXPECT_TRUE(glIsList(base));
  EXPECT_TRUE(glIsList(base + 254));
  EXPECT_FALSE(glIsList(base + 255));
}

TEST(CreateFontWithoutContextTest, ReturnsZeroWhenNoListsCanBeReserved) {
  // With no context current GL reserves nothing; the OS font must not be made either.
  ButtonPanel panel;
  EXPECT_EQ(panel.createFont(12, "Courier New"), 0);
}

struct Listener {
  std::vector<int> heard;
  virtual ~Listener() = default;
  virtual void onButton(int id, Button*) { heard.push_back(id); }
};
struct LoudListener : Listener {
  void onButton(int id, Button*) override { heard.push_back(-id); }
};

TEST(TCallbackTest, UnboundIgnoresCallsBoundReachesTheOverride) {
  LoudListener loud;
  TCallback<Listener> callback;
  Callback& asCallback = callback;
  asCallback.call(1, nullptr);
  callback.bind(&loud, &Listener::onButton);
  asCallback.call(2, nullptr);
  EXPECT_EQ(loud.heard, std::vector<int>{-2});
}

}  // namespace

#include <GL/gl.h>

#include <array>
#include <string>

#include "OverlayTest.h"
#include "ui/Button.h"
#include "ui/ButtonPanel.h"
#include "ui/Callback.h"
#include "ui/Viewport.h"

namespace {

struct Recorder {
  struct Click {
    int id;
    Button* button;
    std::string text;
  };
  std::vector<Click> clicks;
  // Set to rebuild the panel from inside the click, as a screen change does.
  ButtonPanel* rebuild = nullptr;

  void onButton(int id, Button* button) {
    clicks.push_back({id, button, button->getText()});
    if (!rebuild) return;
    rebuild->clear();
    for (int newId : {10, 11}) {
      auto* box = new Button(0, 0, 720, 480);
      box->setAnchor(AnchorBottomLeft);
      rebuild->add(newId, box);
    }
  }
};

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

  // Mouse positions arrive with y counted down from the top.
  static int mouseY(int overlayY) { return viewportHeight - overlayY; }

  Recorder recorder;
  TCallback<Recorder> callback;
  ButtonPanel panel;
};

using Colour = std::array<int, 4>;
Colour colourOf(const Button* box) {
  const unsigned char* c = box->getColour();
  return {c[0], c[1], c[2], c[3]};
}
const Colour kNormal{0, 0, 0, 128};
const Colour kHighlight{128, 128, 128, 128};

TEST_F(ButtonPanelTest, HoverChangesAtMostOneBoxPerCall) {
  struct Step {
    int x;
    bool changed;
    Colour first, second;
  };
  struct Sequence {
    const char* name;
    std::vector<Step> steps;
  };
  const int onFirst = 25, onSecond = 85, onNone = 300;
  const Sequence sequences[] = {
      {"from box 1 onto box 2",
       {{onFirst, true, kHighlight, kNormal},
        {onFirst, false, kHighlight, kNormal},
        {onSecond, true, kNormal, kNormal},
        {onSecond, true, kNormal, kHighlight},
        {onSecond, false, kNormal, kHighlight}}},
      {"from box 2 onto box 1",
       {{onSecond, true, kNormal, kHighlight},
        {onFirst, true, kHighlight, kHighlight},
        {onFirst, true, kHighlight, kNormal},
        {onFirst, false, kHighlight, kNormal}}},
      {"away from every box", {{onNone, false, kNormal, kNormal}}},
  };
  for (const Sequence& sequence : sequences) {
    SCOPED_TRACE(sequence.name);
    panel.clear();
    Button* first = addBox(1, 0, 0);
    Button* second = addBox(2, 60, 0);
    for (const Step& step : sequence.steps) {
      EXPECT_EQ(panel.hover(step.x, mouseY(10), 0), step.changed) << "at x " << step.x;
      EXPECT_EQ(colourOf(first), step.first);
      EXPECT_EQ(colourOf(second), step.second);
    }
  }
}

TEST_F(ButtonPanelTest, HoverTestsOnlyTheRedByte) {
  Button* odd = addBox(1, 0, 0);
  odd->setColour(64, 0, 0, 128);
  Button* tinted = addBox(2, 0, 0);
  tinted->setColour(0, 200, 200, 10);
  Button* away = addBox(3, 100, 100);
  away->setColour(128, 1, 2, 3);

  EXPECT_TRUE(panel.hover(10, mouseY(10), 0));
  EXPECT_EQ(colourOf(tinted), kHighlight);
  EXPECT_TRUE(panel.hover(10, mouseY(10), 0));
  EXPECT_EQ(colourOf(away), kNormal);
  EXPECT_FALSE(panel.hover(10, mouseY(10), 0));
  EXPECT_EQ(colourOf(odd), (Colour{64, 0, 0, 128}));
}

TEST_F(ButtonPanelTest, HiddenPanelIgnoresTheMouseAndKeepsHighlights) {
  Button* box = addBox(1, 0, 0);
  ASSERT_TRUE(panel.hover(10, mouseY(10), 0));
  panel.setVisible(false);
  EXPECT_FALSE(panel.hover(300, mouseY(300), 0));
  EXPECT_FALSE(panel.click(10, mouseY(10), 0x01));
  EXPECT_EQ(colourOf(box), kHighlight);
  EXPECT_TRUE(recorder.clicks.empty());

  panel.setVisible(true);
  EXPECT_TRUE(panel.hover(300, mouseY(300), 0));
  EXPECT_EQ(colourOf(box), kNormal);
}

TEST_F(ButtonPanelTest, ClickNeedsTheLeftButtonBit) {
  Button* box = addBox(1, 0, 0);
  const struct {
    unsigned flags;
    bool clicked;
  } cases[] = {{0x00, false}, {0x02, false}, {0x10, false}, {0x03, true}, {0x01, true}, {0x19, true}};
  for (const auto& c : cases) {
    recorder.clicks.clear();
    EXPECT_EQ(panel.click(10, mouseY(10), c.flags), c.clicked) << "flags " << c.flags;
    ASSERT_EQ(recorder.clicks.size(), c.clicked ? 1u : 0u) << "flags " << c.flags;
    if (c.clicked) {
      EXPECT_EQ(recorder.clicks[0].id, 1);
      EXPECT_EQ(recorder.clicks[0].button, box);
    }
  }
  EXPECT_FALSE(panel.click(300, mouseY(300), 0x01));
}

TEST_F(ButtonPanelTest, OverlapClickGoesToLowerIdDrawingPutsHigherOnTop) {
  addBox(2, 25, 0)->setColour(0, 0, 255, 255);
  addBox(1, 0, 0)->setColour(255, 0, 0, 255);
  ASSERT_TRUE(panel.click(40, mouseY(10), 0x01));
  ASSERT_EQ(recorder.clicks.size(), 1u);
  EXPECT_EQ(recorder.clicks[0].id, 1);
  EXPECT_EQ(recorder.clicks[0].text, "box 1");

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
}

TEST_F(ButtonPanelTest, DrawsInAscendingIdOrder) {
  for (int id : {2, -1, 1, 0}) addBox(id, 100 * (id + 1) + 10, 0);
  usePixelProjection();
  const auto segments = lineSegments(captureFeedback([&] { panel.draw(); }));
  ASSERT_EQ(segments.size(), 16u);
  for (int drawn = 0; drawn < 4; ++drawn) EXPECT_NEAR(segments[4 * drawn].first.x, 100 * drawn + 10, 1e-3);
}

TEST_F(ButtonPanelTest, ClickableDecidesClicksVisibleDoesNot) {
  Button* info = addBox(-1, 0, 0, 200, 40);
  info->setClickable(false);
  addBox(1, 100, 0);
  addBox(2, 300, 0)->setVisible(false);
  EXPECT_FALSE(panel.click(20, mouseY(20), 0x01));
  EXPECT_TRUE(recorder.clicks.empty());
  // Where the info box lies over box 1, the click passes on to box 1.
  EXPECT_TRUE(panel.click(120, mouseY(10), 0x01));
  EXPECT_TRUE(panel.click(320, mouseY(10), 0x01));
  ASSERT_EQ(recorder.clicks.size(), 2u);
  EXPECT_EQ(recorder.clicks[0].id, 1);
  EXPECT_EQ(recorder.clicks[1].id, 2);
}

TEST_F(ButtonPanelTest, ClickWithoutListenerCallsNothing) {
  ButtonPanel lonely;
  lonely.add(1, new Button(0, 0, 720, 480));
  EXPECT_FALSE(lonely.click(10, 10, 0x01));
}

TEST_F(ButtonPanelTest, ListenerMayRebuildThePanelDuringClick) {
  addBox(1, 0, 0);
  addBox(2, 60, 0);
  recorder.rebuild = &panel;
  EXPECT_TRUE(panel.click(10, mouseY(10), 0x01));
  // The new boxes lie under the mouse too: a walk that went on would click them.
  ASSERT_EQ(recorder.clicks.size(), 1u);
  EXPECT_EQ(recorder.clicks[0].text, "box 1");
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
  EXPECT_EQ(panel.get(5), kept);
  EXPECT_EQ(panel.get(-1), nullptr);
  EXPECT_TRUE(panel.remove(5));
  EXPECT_EQ(panel.get(5), nullptr);
  EXPECT_FALSE(panel.remove(5));

  for (int id : {3, -1, 0, 1}) addBox(id, 0, 0);
  panel.setVisible(false);
  testing::internal::CaptureStdout();
  panel.clear();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  for (int id : {3, -1, 0, 1}) EXPECT_EQ(panel.get(id), nullptr);
  EXPECT_FALSE(panel.isVisible());

  panel.setVisible(true);
  addBox(4, 0, 0);
  EXPECT_TRUE(panel.click(10, mouseY(10), 0x01));
  ASSERT_EQ(recorder.clicks.size(), 1u);
  EXPECT_EQ(recorder.clicks[0].id, 4);
}

TEST_F(ButtonPanelTest, HiddenPanelDrawLeavesMatricesAndDepthAlone) {
  addBox(1, 0, 0);
  GLint depthBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  ASSERT_GT(depthBits, 0);
  auto depthAt = [](int x, int y) {
    GLfloat depth = -1;
    glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    return depth;
  };
  auto matrix = [](GLenum which) {
    std::array<GLfloat, 16> m{};
    glGetFloatv(which, m.data());
    return m;
  };
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glScalef(2, 3, 4);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glTranslatef(1, 2, 3);
  glClearDepth(0.25);
  glClear(GL_DEPTH_BUFFER_BIT);
  glClearDepth(1.0);
  const auto projection = matrix(GL_PROJECTION_MATRIX), modelview = matrix(GL_MODELVIEW_MATRIX);

  panel.setVisible(false);
  EXPECT_TRUE(captureFeedback([&] { panel.draw(); }).empty());
  panel.draw();
  EXPECT_NEAR(depthAt(300, 300), 0.25f, 1e-3f);
  EXPECT_EQ(matrix(GL_PROJECTION_MATRIX), projection);
  EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), modelview);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_PROJECTION);

  // Shown, it clears depth and leaves a pixel projection and an identity modelview.
  panel.setVisible(true);
  panel.draw();
  EXPECT_NEAR(depthAt(300, 300), 1.0f, 1e-3f);
  const float w = float(viewportWidth), h = float(viewportHeight);
  const std::array<GLfloat, 16> ortho{2 / w, 0, 0, 0, 0, 2 / h, 0, 0, 0, 0, -1, 0, -1, -1, 0, 1};
  const auto shownProjection = matrix(GL_PROJECTION_MATRIX);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(shownProjection[i], ortho[i], 1e-6f) << i;
  EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), (std::array<GLfloat, 16>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  GLint stackDepth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &stackDepth);
  EXPECT_EQ(stackDepth, 1);
}

}  // namespace

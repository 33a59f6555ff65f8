// Input and window changes made by the X server itself (XTest devices, real resizes, mapping and
// focus changes), so that the event fields are the ones the server fills in.
#include <gtest/gtest.h>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <vector>

#include "EventPump.h"
#include "platform/Platform.h"
#include "platform/x11/X11Window.h"

namespace {

using platform::x11::mainWindow;
using Calls = std::vector<HandlerCall>;

// Long enough for the server to have handled faked input and sent its events.
constexpr int kSettleMs = 60;

class RealInputTest : public testing::Test {
 protected:
  void SetUp() override {
    theApp = &app;
    ASSERT_TRUE(platform::openWindow("ZarvoTest", "Zarvo", 720, 480, 16));
    platform::showWindow();
    pumpEventsFor(kSettleMs);
    app.calls.clear();
  }
  void TearDown() override {
    platform::closeWindow();
    theApp = nullptr;
  }

  // Calls that came in while the action ran and the server caught up.
  Calls callsDuring(void (*action)(Display*)) {
    app.calls.clear();
    action(mainWindow.display);
    XFlush(mainWindow.display);
    pumpEventsFor(kSettleMs);
    return app.calls;
  }

  RecordingApp app;
};

void fakeKey(Display* display, KeySym symbol, bool press) {
  XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), press, CurrentTime);
}

TEST_F(RealInputTest, PointerAndKeyboardThroughTheServer) {
  const struct {
    const char* what;
    void (*action)(Display*);
    Calls calls;
  } rows[] = {
      {"move to 100, 50",
       [](Display* d) { XTestFakeMotionEvent(d, 0, 100, 50, CurrentTime); },
       {{"onMouseMove", {100, 50, 0}}}},
      {"right button pressed",
       [](Display* d) { XTestFakeButtonEvent(d, 3, True, CurrentTime); },
       {}},
      {"drag to 120, 60",
       [](Display* d) { XTestFakeMotionEvent(d, 0, 120, 60, CurrentTime); },
       {{"onMouseMove", {120, 60, 0x02}}}},
      {"right button released",
       [](Display* d) { XTestFakeButtonEvent(d, 3, False, CurrentTime); },
       {{"onMouseUp", {120, 60, 0x02}}}},
      {"Shift held", [](Display* d) { fakeKey(d, XK_Shift_L, true); }, {{"onKeyDown", {0x10}}}},
      {"left click with Shift",
       [](Display* d) {
         XTestFakeButtonEvent(d, 1, True, CurrentTime);
         XTestFakeButtonEvent(d, 1, False, CurrentTime);
       },
       {{"onMouseUp", {120, 60, 0x05}}}},
      {"W typed with Shift",
       [](Display* d) {
         fakeKey(d, XK_w, true);
         fakeKey(d, XK_w, false);
       },
       {{"onKeyDown", {0x57}}, {"onKeyUp", {0x57}}}},
      {"Shift let go", [](Display* d) { fakeKey(d, XK_Shift_L, false); }, {{"onKeyUp", {0x10}}}},
      {"wheel away",
       [](Display* d) {
         XTestFakeButtonEvent(d, 4, True, CurrentTime);
         XTestFakeButtonEvent(d, 4, False, CurrentTime);
       },
       {{"onMouseWheel", {120, 60, 0, 120}}}},
      {"wheel towards",
       [](Display* d) {
         XTestFakeButtonEvent(d, 5, True, CurrentTime);
         XTestFakeButtonEvent(d, 5, False, CurrentTime);
       },
       {{"onMouseWheel", {120, 60, 0, 65416}}}},
  };
  for (const auto& row : rows) EXPECT_EQ(callsDuring(row.action), row.calls) << row.what;
}

TEST_F(RealInputTest, AHeldKeyRepeatsItsKeyDownAndIsReleasedOnce) {
  Display* display = mainWindow.display;
  unsigned delay = 0;
  unsigned interval = 0;
  XkbGetAutoRepeatRate(display, XkbUseCoreKbd, &delay, &interval);
  XkbSetAutoRepeatRate(display, XkbUseCoreKbd, 100, 30);

  app.calls.clear();
  fakeKey(display, XK_o, true);
  XFlush(display);
  pumpEventsFor(400);
  const Calls whileHeld = app.calls;
  fakeKey(display, XK_o, false);
  XFlush(display);
  pumpEventsFor(kSettleMs);
  XkbSetAutoRepeatRate(display, XkbUseCoreKbd, delay, interval);

  ASSERT_GE(whileHeld.size(), 3u);
  for (const HandlerCall& call : whileHeld) EXPECT_EQ(call, (HandlerCall{"onKeyDown", {0x4F}}));
  EXPECT_EQ(app.callsOf("onKeyUp"), (Calls{{"onKeyUp", {0x4F}}}));
  EXPECT_EQ(app.calls.back(), (HandlerCall{"onKeyUp", {0x4F}}));
}

TEST_F(RealInputTest, WindowChangesThroughTheServer) {
  const struct {
    const char* what;
    void (*action)(Display*);
    const char* handler;
    Calls calls;
  } rows[] = {
      {"resized",
       [](Display* d) { XResizeWindow(d, mainWindow.window, 800, 600); },
       "onResize",
       {{"onResize", {800, 600}}}},
      {"moved", [](Display* d) { XMoveWindow(d, mainWindow.window, 20, 30); }, "onResize", {}},
      {"made smaller",
       [](Display* d) { XResizeWindow(d, mainWindow.window, 300, 1); },
       "onResize",
       {{"onResize", {300, 1}}}},
      {"area exposed",
       [](Display* d) { XClearArea(d, mainWindow.window, 0, 0, 0, 0, True); },
       "render",
       {{"render", {}}}},
      {"focus given away",
       [](Display* d) { XSetInputFocus(d, DefaultRootWindow(d), RevertToNone, CurrentTime); },
       "onFocus",
       {{"onFocus", {0}}}},
      {"focus taken back",
       [](Display* d) { XSetInputFocus(d, mainWindow.window, RevertToNone, CurrentTime); },
       "onFocus",
       {{"onFocus", {1}}}},
      {"unmapped",
       [](Display* d) { XUnmapWindow(d, mainWindow.window); },
       "onActivate",
       {{"onActivate", {0}}}},
      {"mapped again",
       [](Display* d) { XMapWindow(d, mainWindow.window); },
       "onActivate",
       {{"onActivate", {1}}}},
  };
  for (const auto& row : rows) {
    callsDuring(row.action);
    EXPECT_EQ(app.callsOf(row.handler), row.calls) << row.what;
  }
}

}  // namespace

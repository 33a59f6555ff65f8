// Each X event the window can get, sent through the server, and the one handler call it must
// become, with the integers the Windows messages would carry.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <functional>
#include <string>
#include <vector>

#include "EventPump.h"
#include "platform/Platform.h"
#include "platform/x11/EventDispatch.h"
#include "platform/x11/X11Window.h"

namespace {

using platform::x11::mainWindow;
using Calls = std::vector<HandlerCall>;

class EventDispatchTest : public testing::Test {
 protected:
  void SetUp() override {
    theApp = &app;
    ASSERT_TRUE(platform::openWindow("ZarvoTest", "Zarvo", 720, 480, 16));
    platform::showWindow();
    pumpEvents();
    app.calls.clear();
  }
  void TearDown() override {
    platform::closeWindow();
    theApp = nullptr;
  }

  RecordingApp app;
};

XEvent blankEvent(int type) {
  XEvent event{};
  event.xany.type = type;
  event.xany.display = mainWindow.display;
  event.xany.window = mainWindow.window;
  return event;
}

XEvent key(int type, KeySym symbol, unsigned state = 0) {
  XEvent event = blankEvent(type);
  event.xkey.root = DefaultRootWindow(mainWindow.display);
  event.xkey.keycode = XKeysymToKeycode(mainWindow.display, symbol);
  event.xkey.state = state;
  event.xkey.same_screen = True;
  return event;
}

XEvent motion(int x, int y, unsigned state) {
  XEvent event = blankEvent(MotionNotify);
  event.xmotion.x = x;
  event.xmotion.y = y;
  event.xmotion.state = state;
  event.xmotion.same_screen = True;
  return event;
}

XEvent button(int type, unsigned number, int x, int y, unsigned state, int rootX = 0,
              int rootY = 0) {
  XEvent event = blankEvent(type);
  event.xbutton.button = number;
  event.xbutton.x = x;
  event.xbutton.y = y;
  event.xbutton.x_root = rootX;
  event.xbutton.y_root = rootY;
  event.xbutton.state = state;
  event.xbutton.same_screen = True;
  return event;
}

XEvent configure(int width, int height) {
  XEvent event = blankEvent(ConfigureNotify);
  event.xconfigure.event = mainWindow.window;
  event.xconfigure.x = 40;
  event.xconfigure.y = 30;
  event.xconfigure.width = width;
  event.xconfigure.height = height;
  return event;
}

XEvent expose(int count) {
  XEvent event = blankEvent(Expose);
  event.xexpose.width = 10;
  event.xexpose.height = 10;
  event.xexpose.count = count;
  return event;
}

XEvent focus(int type, int mode) {
  XEvent event = blankEvent(type);
  event.xfocus.mode = mode;
  event.xfocus.detail = NotifyNonlinear;
  return event;
}

XEvent mapping(int type) {
  XEvent event = blankEvent(type);
  event.xmap.event = mainWindow.window;
  return event;
}

long maskFor(int type) {
  switch (type) {
    case KeyPress:
      return KeyPressMask;
    case KeyRelease:
      return KeyReleaseMask;
    case ButtonPress:
      return ButtonPressMask;
    case ButtonRelease:
      return ButtonReleaseMask;
    case MotionNotify:
      return PointerMotionMask;
    case Expose:
      return ExposureMask;
    case FocusIn:
    case FocusOut:
      return FocusChangeMask;
    default:
      return StructureNotifyMask;
  }
}

void send(XEvent event) {
  XSendEvent(mainWindow.display, mainWindow.window, False, maskFor(event.type), &event);
}

TEST_F(EventDispatchTest, EachEventBecomesTheHandlerCallOfItsWindowsMessage) {
  const struct {
    const char* what;
    std::function<XEvent()> event;
    Calls calls;
  } rows[] = {
      {"W pressed", [] { return key(KeyPress, XK_w); }, {{"onKeyDown", {0x57}}}},
      {"W pressed with Shift",
       [] { return key(KeyPress, XK_w, ShiftMask); },
       {{"onKeyDown", {0x57}}}},
      {"W pressed with Caps Lock",
       [] { return key(KeyPress, XK_w, LockMask); },
       {{"onKeyDown", {0x57}}}},
      {"A pressed", [] { return key(KeyPress, XK_a); }, {{"onKeyDown", {0x41}}}},
      {"S pressed", [] { return key(KeyPress, XK_s); }, {{"onKeyDown", {0x53}}}},
      {"D pressed", [] { return key(KeyPress, XK_d); }, {{"onKeyDown", {0x44}}}},
      {"Left pressed", [] { return key(KeyPress, XK_Left); }, {{"onKeyDown", {0x25}}}},
      {"Up pressed", [] { return key(KeyPress, XK_Up); }, {{"onKeyDown", {0x26}}}},
      {"Right pressed", [] { return key(KeyPress, XK_Right); }, {{"onKeyDown", {0x27}}}},
      {"Down pressed", [] { return key(KeyPress, XK_Down); }, {{"onKeyDown", {0x28}}}},
      {"O released", [] { return key(KeyRelease, XK_o); }, {{"onKeyUp", {0x4F}}}},
      {"Space released", [] { return key(KeyRelease, XK_space); }, {{"onKeyUp", {0x20}}}},
      {"1 pressed with Shift",
       [] { return key(KeyPress, XK_1, ShiftMask); },
       {{"onKeyDown", {0x31}}}},
      {"Escape pressed", [] { return key(KeyPress, XK_Escape); }, {{"onKeyDown", {0x1B}}}},
      {"Return released", [] { return key(KeyRelease, XK_Return); }, {{"onKeyUp", {0x0D}}}},
      {"Shift pressed", [] { return key(KeyPress, XK_Shift_L); }, {{"onKeyDown", {0x10}}}},
      {"F5 pressed", [] { return key(KeyPress, XK_F5); }, {{"onKeyDown", {0x74}}}},
      {"Delete pressed", [] { return key(KeyPress, XK_Delete); }, {{"onKeyDown", {0x2E}}}},
      {"minus pressed", [] { return key(KeyPress, XK_minus); }, {{"onKeyDown", {0xBD}}}},
      {"keypad 7 with NumLock",
       [] { return key(KeyPress, XK_KP_7, mainWindow.numLockMask); },
       {{"onKeyDown", {0x67}}}},
      {"keypad 7 without NumLock", [] { return key(KeyPress, XK_KP_7); }, {{"onKeyDown", {0x24}}}},
      {"Alt pressed, a system key", [] { return key(KeyPress, XK_Alt_L); }, {}},

      {"move", [] { return motion(10, 20, 0); }, {{"onMouseMove", {10, 20, 0}}}},
      {"drag with the right button and Shift",
       [] { return motion(300, 200, Button3Mask | ShiftMask); },
       {{"onMouseMove", {300, 200, 0x06}}}},
      {"drag with left and middle and Control",
       [] { return motion(5, 6, Button1Mask | Button2Mask | ControlMask); },
       {{"onMouseMove", {5, 6, 0x19}}}},
      {"drag past the top-left corner",
       [] { return motion(-1, -2, Button3Mask); },
       {{"onMouseMove", {65535, 65534, 0x02}}}},

      {"left released",
       [] { return button(ButtonRelease, Button1, 30, 40, Button1Mask); },
       {{"onMouseUp", {30, 40, 0x01}}}},
      {"right released",
       [] { return button(ButtonRelease, Button3, 30, 40, Button3Mask); },
       {{"onMouseUp", {30, 40, 0x02}}}},
      {"middle released with Control",
       [] { return button(ButtonRelease, Button2, 30, 40, Button2Mask | ControlMask); },
       {{"onMouseUp", {30, 40, 0x18}}}},
      {"right released while left is held",
       [] { return button(ButtonRelease, Button3, 7, 8, Button1Mask | Button3Mask); },
       {{"onMouseUp", {7, 8, 0x03}}}},
      {"left released past the window's left edge",
       [] { return button(ButtonRelease, Button1, -3, 9, Button1Mask); },
       {{"onMouseUp", {65533, 9, 0x01}}}},
      {"left pressed", [] { return button(ButtonPress, Button1, 30, 40, 0); }, {}},
      {"extra button released", [] { return button(ButtonRelease, 8, 30, 40, 0); }, {}},

      {"wheel away",
       [] { return button(ButtonPress, Button4, 30, 40, 0, 130, 140); },
       {{"onMouseWheel", {130, 140, 0, 120}}}},
      {"wheel towards with Shift",
       [] { return button(ButtonPress, Button5, 30, 40, ShiftMask, 131, 141); },
       {{"onMouseWheel", {131, 141, 0x04, 65416}}}},
      {"wheel released", [] { return button(ButtonRelease, Button4, 30, 40, Button4Mask); }, {}},
      {"horizontal wheel", [] { return button(ButtonPress, 6, 30, 40, 0); }, {}},

      {"resized", [] { return configure(800, 600); }, {{"onResize", {800, 600}}}},
      {"moved, same size", [] { return configure(800, 600); }, {}},
      {"resized back", [] { return configure(720, 480); }, {{"onResize", {720, 480}}}},
      {"last exposure", [] { return expose(0); }, {{"render", {}}}},
      {"more exposures to come", [] { return expose(2); }, {}},
      {"focus lost", [] { return focus(FocusOut, NotifyNormal); }, {{"onFocus", {0}}}},
      {"focus gained", [] { return focus(FocusIn, NotifyNormal); }, {{"onFocus", {1}}}},
      {"focus lost to a keyboard grab", [] { return focus(FocusOut, NotifyGrab); }, {}},
      {"focus back from a keyboard grab", [] { return focus(FocusIn, NotifyUngrab); }, {}},
      {"unmapped", [] { return mapping(UnmapNotify); }, {{"onActivate", {0}}}},
      {"mapped", [] { return mapping(MapNotify); }, {{"onActivate", {1}}}},
  };

  for (const auto& row : rows) {
    app.calls.clear();
    send(row.event());
    pumpEvents();
    EXPECT_EQ(app.calls, row.calls) << row.what;
  }
}

TEST_F(EventDispatchTest, TheWindowManagersCloseEndsTheLoopWithExitCode0AfterEarlierEvents) {
  send(key(KeyPress, XK_d));
  XEvent close = blankEvent(ClientMessage);
  close.xclient.message_type = XInternAtom(mainWindow.display, "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(mainWindow.deleteMessage);
  close.xclient.data.l[1] = CurrentTime;
  send(close);

  EXPECT_EQ(platform::runMessageLoop(), 0);
  EXPECT_EQ(app.calls, (Calls{{"onKeyDown", {0x44}}}));
}

TEST_F(EventDispatchTest, OtherClientMessagesKeepTheWindowOpen) {
  XEvent message = blankEvent(ClientMessage);
  message.xclient.message_type = XInternAtom(mainWindow.display, "WM_PROTOCOLS", False);
  message.xclient.format = 32;
  message.xclient.data.l[0] =
      static_cast<long>(XInternAtom(mainWindow.display, "WM_TAKE_FOCUS", False));
  EXPECT_TRUE(platform::x11::processEvent(message));
  EXPECT_TRUE(app.calls.empty());
}

TEST_F(EventDispatchTest, MouseMovesWaitingTogetherReachTheAppAsTheLastOne) {
  for (int x = 1; x <= 5; ++x) send(motion(x, 2 * x, 0));
  send(key(KeyRelease, XK_o));
  send(motion(9, 9, 0));
  XEvent close = blankEvent(ClientMessage);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(mainWindow.deleteMessage);
  send(close);
  XSync(mainWindow.display, False);

  EXPECT_EQ(platform::runMessageLoop(), 0);
  EXPECT_EQ(app.calls,
            (Calls{{"onMouseMove", {5, 10, 0}}, {"onKeyUp", {0x4F}}, {"onMouseMove", {9, 9, 0}}}));
}

TEST(EventDispatchWithoutAppTest, EventsOfATestWindowWithoutAnAppChangeNothing) {
  ASSERT_EQ(theApp, nullptr);
  ASSERT_TRUE(platform::openWindow("ZarvoTest", "Zarvo", 720, 480, 16));
  XEvent event = key(KeyPress, XK_w);
  EXPECT_TRUE(platform::x11::processEvent(event));
  platform::closeWindow();
}

}  // namespace

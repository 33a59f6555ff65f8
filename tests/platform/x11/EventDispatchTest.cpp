// X events reaching the real window, sent by this client or made by the server from faked
// input, and the handler calls they become, with the integers the Windows messages would carry.
#include <gtest/gtest.h>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <thread>
#include <vector>

#include "platform/Platform.h"
#include "platform/x11/EventDispatch.h"
#include "platform/x11/X11Window.h"
#include "support/RecordingApp.h"

// Lets failures show a call as handler{ arguments }.
void PrintTo(const HandlerCall& call, std::ostream* out) { *out << call.handler << testing::PrintToString(call.args); }

namespace {

using platform::x11::mainWindow;
using Calls = std::vector<HandlerCall>;

// Long enough for the server to have handled faked input and sent its events.
constexpr int kSettleMs = 60;

// Hands the queued events to the backend as its message loop would, for at least `ms`.
void pump(int ms = 0) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  do {
    XSync(mainWindow.display, False);
    for (XEvent event; XPending(mainWindow.display) > 0;) {
      XNextEvent(mainWindow.display, &event);
      platform::x11::processEvent(event);
    }
    if (ms) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  } while (std::chrono::steady_clock::now() < end);
}

class EventDispatchTest : public testing::Test {
 protected:
  void SetUp() override {
    theApp = &app;
    ASSERT_TRUE(platform::openWindow("ZarvoTest", "Zarvo", 720, 480, 16));
    platform::showWindow();
    pump(kSettleMs);
    app.calls.clear();
  }
  void TearDown() override {
    platform::closeWindow();
    theApp = nullptr;
  }
  RecordingApp app;
};
using RealInputTest = EventDispatchTest;

// An event as the server would deliver it; `detail` is the key symbol, button, Expose count or
// focus mode, and x, y the pointer position or the new size.
struct Sent {
  int type;
  unsigned long detail;
  int x, y;
  unsigned state;
  Calls calls;
};

// Only clients that asked for an event's mask get it, so this also checks what the window selects.
void send(const Sent& row) {
  XEvent event{};
  event.xany = {row.type, 0, True, mainWindow.display, mainWindow.window};
  long mask = StructureNotifyMask;
  switch (row.type) {
    case KeyPress:
    case KeyRelease:
      event.xkey.keycode = XKeysymToKeycode(mainWindow.display, row.detail);
      event.xkey.state = row.state;
      mask = row.type == KeyPress ? KeyPressMask : KeyReleaseMask;
      break;
    case ButtonPress:
    case ButtonRelease:
    case MotionNotify:  // the pointer events share the button event's layout
      // The root position is offset so that a wheel reading the client position shows.
      event.xbutton = {row.type, 0, True, mainWindow.display, mainWindow.window, 0, 0, 0, row.x, row.y,
                       row.x + 100, row.y + 100, row.state, static_cast<unsigned>(row.detail), True};
      mask = row.type == ButtonPress ? ButtonPressMask : row.type == ButtonRelease ? ButtonReleaseMask : PointerMotionMask;
      break;
    case ConfigureNotify:
      event.xconfigure.width = row.x;
      event.xconfigure.height = row.y;
      break;
    case Expose:
      event.xexpose.count = static_cast<int>(row.detail);
      mask = ExposureMask;
      break;
    case FocusIn:
    case FocusOut:
      event.xfocus.mode = static_cast<int>(row.detail);
      mask = FocusChangeMask;
      break;
  }
  XSendEvent(mainWindow.display, mainWindow.window, False, mask, &event);
}

// Sent with no mask, to the window's creator, as a window manager sends it.
void sendProtocol(const char* protocol) {
  XEvent event{};
  event.xclient = {ClientMessage, 0, True, mainWindow.display, mainWindow.window,
                   XInternAtom(mainWindow.display, "WM_PROTOCOLS", False), 32, {}};
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(mainWindow.display, protocol, False));
  XSendEvent(mainWindow.display, mainWindow.window, False, NoEventMask, &event);
}

TEST_F(EventDispatchTest, EachEventBecomesTheHandlerCallOfItsWindowsMessage) {
  const unsigned numLock = mainWindow.numLockMask;
  const Sent rows[] = {
      {KeyPress, XK_w, 0, 0, 0, {{"onKeyDown", {0x57}}}},
      {KeyPress, XK_w, 0, 0, ShiftMask, {{"onKeyDown", {0x57}}}},
      {KeyPress, XK_w, 0, 0, LockMask, {{"onKeyDown", {0x57}}}},
      {KeyPress, XK_Left, 0, 0, 0, {{"onKeyDown", {0x25}}}},
      {KeyRelease, XK_o, 0, 0, 0, {{"onKeyUp", {0x4F}}}},
      {KeyPress, XK_1, 0, 0, ShiftMask, {{"onKeyDown", {0x31}}}},
      {KeyPress, XK_F5, 0, 0, 0, {{"onKeyDown", {0x74}}}},
      {KeyPress, XK_KP_7, 0, 0, numLock, {{"onKeyDown", {0x67}}}},
      {KeyPress, XK_KP_7, 0, 0, 0, {{"onKeyDown", {0x24}}}},
      {KeyPress, XK_Alt_L, 0, 0, 0, {}},  // a system key on Windows
      {MotionNotify, 0, 300, 200, Button3Mask | ShiftMask, {{"onMouseMove", {300, 200, 0x06}}}},
      {MotionNotify, 0, 5, 6, Button1Mask | Button2Mask | ControlMask, {{"onMouseMove", {5, 6, 0x19}}}},
      // Outside the client area while a button is held: Windows sends these to another window.
      {MotionNotify, 0, 100, -1, Button3Mask, {}},
      {MotionNotify, 0, 720, 479, Button1Mask, {}},
      {MotionNotify, 0, 719, 479, 0, {{"onMouseMove", {719, 479, 0}}}},
      {ButtonRelease, Button1, 30, 480, Button1Mask, {}},
      {ButtonRelease, Button3, -1, 40, Button3Mask, {}},
      {ButtonRelease, Button2, 30, 40, Button2Mask | ControlMask, {{"onMouseUp", {30, 40, 0x18}}}},
      {ButtonRelease, Button3, 7, 8, Button1Mask | Button3Mask, {{"onMouseUp", {7, 8, 0x03}}}},
      {ButtonPress, Button1, 30, 40, 0, {}},
      {ButtonPress, Button4, 30, 40, 0, {{"onMouseWheel", {130, 140, 0, 120}}}},
      {ButtonPress, Button5, 31, 41, ShiftMask, {{"onMouseWheel", {131, 141, 0x04, 65416}}}},
      {ButtonRelease, Button4, 30, 40, Button4Mask, {}},
      {ButtonPress, 6, 30, 40, 0, {}},  // a horizontal wheel
      {ConfigureNotify, 0, 800, 600, 0, {{"onResize", {800, 600}}}},
      {ConfigureNotify, 0, 800, 600, 0, {}},  // moved, same size
      {ButtonRelease, Button1, 750, 550, Button1Mask, {{"onMouseUp", {750, 550, 0x01}}}},
      {ConfigureNotify, 0, 720, 480, 0, {{"onResize", {720, 480}}}},
      {Expose, 0, 0, 0, 0, {{"requestFrame", {}}}},
      {Expose, 2, 0, 0, 0, {}},  // more to come
      {FocusOut, NotifyNormal, 0, 0, 0, {{"onFocus", {0}}}},
      {FocusIn, NotifyNormal, 0, 0, 0, {{"onFocus", {1}}}},
      {FocusOut, NotifyGrab, 0, 0, 0, {}},
      {FocusIn, NotifyUngrab, 0, 0, 0, {}},
      {UnmapNotify, 0, 0, 0, 0, {{"onActivate", {0}}}},
      {MapNotify, 0, 0, 0, 0, {{"onActivate", {1}}}},
  };
  for (size_t i = 0; i < std::size(rows); ++i) {
    app.calls.clear();
    send(rows[i]);
    pump();
    EXPECT_EQ(app.calls, rows[i].calls) << "row " << i;
  }
}

TEST_F(EventDispatchTest, CloseEndsTheLoopWith0AfterEarlierEventsAndWaitingMovesMerged) {
  for (int x = 1; x <= 5; ++x) send({MotionNotify, 0, x, 2 * x, 0, {}});
  sendProtocol("WM_TAKE_FOCUS");  // not a close
  send({KeyPress, XK_d, 0, 0, 0, {}});
  send({MotionNotify, 0, 9, 9, 0, {}});
  sendProtocol("WM_DELETE_WINDOW");

  EXPECT_EQ(platform::runMessageLoop(), 0);
  EXPECT_EQ(app.calls,
            (Calls{{"onMouseMove", {5, 10, 0}}, {"onKeyDown", {0x44}}, {"onMouseMove", {9, 9, 0}}}));
}

void fakeKey(Display* display, KeySym symbol, bool press) {
  XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), press, CurrentTime);
}

void fakeClick(Display* display, unsigned button) {
  XTestFakeButtonEvent(display, button, True, CurrentTime);
  XTestFakeButtonEvent(display, button, False, CurrentTime);
}

// Input the server makes itself, so the state, position and key fields are the ones it fills in.
TEST_F(RealInputTest, PointerAndKeyboardThroughTheServer) {
  Display* display = mainWindow.display;
  XTestFakeMotionEvent(display, 0, 120, 60, CurrentTime);
  fakeKey(display, XK_Shift_L, true);
  fakeClick(display, 1);
  fakeKey(display, XK_Shift_L, false);
  fakeClick(display, 5);
  // Pressed on the window and released below it, where Windows sends the release elsewhere.
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  XTestFakeMotionEvent(display, 0, 120, 492, CurrentTime);
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  pump(kSettleMs);
  EXPECT_EQ(app.calls, (Calls{{"onMouseMove", {120, 60, 0}}, {"onKeyDown", {0x10}}, {"onMouseUp", {120, 60, 0x05}},
                              {"onKeyUp", {0x10}}, {"onMouseWheel", {120, 60, 0, 65416}}}));
}

// The A key with a Cyrillic first group and a French second, as "ru,fr" has it, and O with no
// Latin group at all, as "ru" alone: a Latin letter from any group, else the key's place.
TEST_F(RealInputTest, KeysKeepTheirCodesUnderANonLatinLayout) {
  Display* display = mainWindow.display;
  const KeyCode o = XKeysymToKeycode(display, XK_o), a = XKeysymToKeycode(display, XK_a);
  int perKey = 0;
  KeySym* saved = XGetKeyboardMapping(display, o, a - o + 1, &perKey);
  KeySym shcha[] = {XK_Cyrillic_shcha, XK_Cyrillic_SHCHA};
  KeySym ef[] = {XK_Cyrillic_ef, XK_Cyrillic_EF, XK_q, XK_Q};
  XChangeKeyboardMapping(display, o, 2, shcha, 1);
  XChangeKeyboardMapping(display, a, 4, ef, 1);
  pump(kSettleMs);
  for (const KeyCode key : {o, a}) {
    XTestFakeKeyEvent(display, key, True, CurrentTime);
    XTestFakeKeyEvent(display, key, False, CurrentTime);
  }
  pump(kSettleMs);
  XChangeKeyboardMapping(display, o, perKey, saved, a - o + 1);
  XFree(saved);
  pump(kSettleMs);
  EXPECT_EQ(app.calls, (Calls{{"onKeyDown", {0x4F}}, {"onKeyUp", {0x4F}}, {"onKeyDown", {0x51}}, {"onKeyUp", {0x51}}}));
}

TEST_F(RealInputTest, AHeldKeyRepeatsItsKeyDownAndIsReleasedOnce) {
  Display* display = mainWindow.display;
  unsigned delay = 0;
  unsigned interval = 0;
  XkbGetAutoRepeatRate(display, XkbUseCoreKbd, &delay, &interval);
  XkbSetAutoRepeatRate(display, XkbUseCoreKbd, 100, 30);
  fakeKey(display, XK_o, true);
  pump(400);
  const Calls whileHeld = app.calls;
  fakeKey(display, XK_o, false);
  pump(kSettleMs);
  XkbSetAutoRepeatRate(display, XkbUseCoreKbd, delay, interval);

  ASSERT_GE(whileHeld.size(), 3u);
  EXPECT_EQ(whileHeld, Calls(whileHeld.size(), {"onKeyDown", {0x4F}}));
  // A last repeat may still land between the snapshot and the release: only key-downs,
  // then exactly one key-up.
  ASSERT_GT(app.calls.size(), whileHeld.size());
  const Calls beforeRelease(app.calls.begin(), app.calls.end() - 1);
  EXPECT_EQ(beforeRelease, Calls(beforeRelease.size(), {"onKeyDown", {0x4F}}));
  EXPECT_EQ(app.calls.back(), (HandlerCall{"onKeyUp", {0x4F}}));
}

}  // namespace

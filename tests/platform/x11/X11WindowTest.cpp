// The main window on a real X server: showing, window manager hints, failed starts, and the handler
// calls X events become, with the integers the Windows messages would carry.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <thread>

#include "platform/Platform.h"
#include "platform/x11/MainWindow.h"
#include "platform/x11/WindowEvents.h"
#include "support/Drops.h"
#include "support/RecordingApp.h"
#include "support/SmxBytes.h"
#include "support/WindowState.h"
#include "support/x11/XdndSource.h"
#include "ui/Button.h"

void PrintTo(const HandlerCall& call, std::ostream* out) { *out << call.handler << testing::PrintToString(call.args); }

namespace {

using platform::x11::mainWindow;
using Calls = std::vector<HandlerCall>;

bool open(int width = 720) { return platform::openWindow("ZarvoTest", "Zarvo", width, 480, 16); }

// Hands the events queued after `settleMs` to the backend as its message loop would.
void pump(int settleMs = 0) {
  std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
  XSync(mainWindow.display, False);
  for (XEvent event; XPending(mainWindow.display) > 0; platform::x11::processEvent(event))
    XNextEvent(mainWindow.display, &event);
}

class X11WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    theApp = &app;
    ASSERT_TRUE(open());
    platform::showWindow(), pump(60), app.calls.clear();
  }
  void TearDown() override { platform::closeWindow(), theApp = nullptr; }
  RecordingApp app;
};

TEST_F(X11WindowTest, OpensHiddenWithADepthBufferShowsWithTheFocusAndFailedStartsSayWhy) {
  platform::closeWindow();
  ASSERT_TRUE(open());
  XWindowAttributes read{};
  const auto attributes = [&] {
    return XGetWindowAttributes(mainWindow.display, mainWindow.window, &read), read;
  };
  EXPECT_TRUE(attributes().width == 720 && attributes().height == 480 && read.map_state == IsUnmapped);
  GLint doubleBuffered = 0, redBits = 0, depthBits = 0;
  glGetIntegerv(GL_DOUBLEBUFFER, &doubleBuffered), glGetIntegerv(GL_RED_BITS, &redBits);
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  EXPECT_TRUE(doubleBuffered && redBits >= 5 && depthBits >= 24) << redBits << " red bits, " << depthBits << " depth";
  platform::showWindow();
  EXPECT_EQ(attributes().map_state, IsViewable);
  Window focus = 0; int revertTo = 0;
  XGetInputFocus(mainWindow.display, &focus, &revertTo);
  EXPECT_EQ(focus, mainWindow.window);
  EXPECT_TRUE(XkbGetDetectableAutoRepeat(mainWindow.display, nullptr)) << "a held key sends key-downs only";

  platform::closeWindow();
  const std::string display = std::getenv("DISPLAY");
  unsetenv("DISPLAY"), testing::internal::CaptureStderr();
  EXPECT_FALSE(open());
  setenv("DISPLAY", display.c_str(), 1);
  EXPECT_FALSE(open(0)) << "the server refuses a window without width";
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Zarvo: cannot open the X display (is DISPLAY set?)\nError!: Window creation failed!\n");
  EXPECT_TRUE(!mainWindow.display && !mainWindow.window && !mainWindow.context);
  ASSERT_TRUE(open()) << "opens again after failing";
}

TEST_F(X11WindowTest, TellsTheWindowManagerTitleOpacityAndCloseProtocol) {
  // Latin-1 is converted; a name in UTF-8 already is shown as it is, not encoded twice.
  const struct { const char *title, *utf8; unsigned char alpha; std::uint32_t opacity; } rows[] = {
      {"smxU/\xc4\xd6\xdc\xdf\xff", "smxU/\xc3\x84\xc3\x96\xc3\x9c\xc3\x9f\xc3\xbf", 128, 0x80808080U},
      {"Zarvo - smx/caf\xc3\xa9.smx", "Zarvo - smx/caf\xc3\xa9.smx", 0, 0}, {"", "", 255, 0xFFFFFFFFU}};
  for (const auto& row : rows) {
    platform::setTitle(row.title), platform::setOpacity(row.alpha);
    EXPECT_EQ(windowProperty("_NET_WM_NAME"), "UTF8_STRING " + std::string(row.utf8));
    EXPECT_EQ(windowProperty("_NET_WM_WINDOW_OPACITY"), "CARDINAL " + std::to_string(row.opacity));
  }
  EXPECT_EQ(windowProperty("WM_PROTOCOLS"), "ATOM " + std::to_string(mainWindow.atoms.wmDeleteWindow));
}

// An event as the server would deliver it under `layouts`: `detail` is the keycode, button, Expose count, focus mode
// or protocol, x and y the pointer position or the new size; no handler name for no call.
struct Sent { int type; unsigned long detail; int x, y; unsigned state; HandlerCall call; const char* layouts = "us"; };

// Only clients that asked for an event's mask get it, so this also checks what the window selects.
void send(const Sent& row) {
  static const std::map<int, long> masks = {{KeyPress, KeyPressMask}, {KeyRelease, KeyReleaseMask},
      {ButtonPress, ButtonPressMask}, {ButtonRelease, ButtonReleaseMask}, {MotionNotify, PointerMotionMask},
      {Expose, ExposureMask}, {FocusIn, FocusChangeMask}, {FocusOut, FocusChangeMask},
      {ClientMessage, NoEventMask}};
  Display* display = mainWindow.display;
  XEvent event{};
  event.xany = {row.type, 0, True, display, mainWindow.window};
  // Key and motion events share the button event's layout; the root position is offset to tell them apart.
  if (row.type <= MotionNotify)
    event.xbutton = {row.type, 0, True, display, mainWindow.window, 0, 0, 0, row.x, row.y, row.x + 100, row.y + 100,
                     row.state, unsigned(row.detail), True};
  if (row.type == ConfigureNotify) event.xconfigure.width = row.x, event.xconfigure.height = row.y;
  if (row.type == Expose) event.xexpose.count = static_cast<int>(row.detail);
  if (row.type == FocusIn || row.type == FocusOut) event.xfocus.mode = static_cast<int>(row.detail);
  if (row.type == ClientMessage) {  // with no mask it goes to the window's creator, as a window manager sends it
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False), event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(row.detail);
  }
  XSendEvent(display, mainWindow.window, False, masks.count(row.type) ? masks.at(row.type) : StructureNotifyMask, &event);
}

TEST_F(X11WindowTest, EachEventBecomesTheHandlerCallOfItsWindowsMessageAndCloseEndsTheLoop) {
  const unsigned numLock = mainWindow.numLockMask, buttons2and3 = Button2Mask | Button3Mask;
  const unsigned secondGroup = XkbBuildCoreState(0, 1);
  // Keys are named by where they are on a US keyboard; under other layouts they take the active layout's code for
  // what they type, and a layout without Latin letters gives its letter keys the code of the US letter in place.
  const auto key = [](KeySym usSymbol) { return XKeysymToKeycode(mainWindow.display, usSymbol); };
  const Sent rows[] = {
      {KeyPress, key(XK_w), 0, 0, 0, {"onKeyDown", {'W'}}, "il"}, {KeyRelease, key(XK_q), 0, 0, 0, {"onKeyUp", {'Q'}}, "il"},
      {KeyPress, key(XK_w), 0, 0, 0, {"onKeyDown", {'W'}}, "il,us"}, {KeyPress, key(XK_o), 0, 0, 0, {"onKeyDown", {'O'}}, "ru"},
      {KeyPress, key(XK_a), 0, 0, 0, {"onKeyDown", {'A'}}, "ru,fr"},  // not the French Q
      {KeyPress, key(XK_semicolon), 0, 0, 0, {"onKeyDown", {0xBA}}, "ru,us"},  // a Cyrillic letter, on the US semicolon
      {KeyPress, key(XK_w), 0, 0, secondGroup, {"onKeyDown", {'W'}}, "fr,us"}, {KeyPress, key(XK_w), 0, 0, 0, {"onKeyDown", {'Z'}}, "fr,us"},
      {KeyPress, key(XK_a), 0, 0, secondGroup, {"onKeyDown", {'A'}}, "fr,us"}, {KeyPress, key(XK_m), 0, 0, 0, {"onKeyDown", {0xBC}}, "fr"},
      {KeyPress, key(XK_1), 0, 0, 0, {"onKeyDown", {'1'}}, "fr"}, {KeyPress, key(XK_y), 0, 0, 0, {"onKeyDown", {'Z'}}, "de"},
      {KeyPress, key(XK_minus), 0, 0, ShiftMask | LockMask, {"onKeyDown", {0xBD}}}, {KeyPress, key(XK_F5), 0, 0, 0, {"onKeyDown", {0x74}}},
      {KeyPress, key(XK_KP_7), 0, 0, numLock, {"onKeyDown", {0x67}}}, {KeyPress, key(XK_KP_7), 0, 0, 0, {"onKeyDown", {0x24}}},
      {KeyRelease, key(XK_o), 0, 0, 0, {"onKeyUp", {0x4F}}}, {KeyPress, key(XK_Shift_L), 0, 0, 0, {"onKeyDown", {0x10}}},
      {KeyPress, key(XK_Alt_L), 0, 0, 0, {}},  // a system key on Windows
      {MotionNotify, 0, 719, 479, buttons2and3 | ShiftMask, {"onMouseMove", {719, 479, 0x16}}},
      // Outside the client area while a button is held: Windows sends these to another window.
      {MotionNotify, 0, 100, -1, Button3Mask, {}}, {MotionNotify, 0, 720, 479, Button1Mask, {}},
      {ButtonRelease, Button1, 30, 480, Button1Mask, {}}, {ButtonRelease, Button3, -1, 40, Button3Mask, {}},
      {ButtonRelease, Button2, 30, 40, Button2Mask, {"onMouseUp", {30, 40, 0x10}}},
      {ButtonRelease, Button3, 7, 8, Button1Mask | Button3Mask | ControlMask, {"onMouseUp", {7, 8, 0x0B}}},
      {ButtonPress, Button1, 30, 40, 0, {}}, {ButtonPress, Button4, 30, 40, 0, {"onMouseWheel", {130, 140, 0, 120}}},
      {ButtonPress, Button5, 30, 40, ShiftMask, {"onMouseWheel", {130, 140, 0x04, 65416}}},
      {ButtonRelease, Button4, 30, 40, Button4Mask, {}}, {ButtonPress, 6, 30, 40, 0, {}},  // a horizontal wheel
      {Expose, 0, 0, 0, 0, {"requestFrame", {}}}, {Expose, 2, 0, 0, 0, {}},  // more to come
      {FocusOut, NotifyNormal, 0, 0, 0, {"onFocus", {0}}}, {FocusIn, NotifyNormal, 0, 0, 0, {"onFocus", {1}}},
      {FocusOut, NotifyGrab, 0, 0, 0, {}}, {FocusIn, NotifyUngrab, 0, 0, 0, {}},
      {UnmapNotify, 0, 0, 0, 0, {"onActivate", {0}}}, {MapNotify, 0, 0, 0, 0, {"onActivate", {1}}},
      {ConfigureNotify, 0, 800, 600, 0, {"onResize", {800, 600}}}, {ConfigureNotify, 0, 800, 600, 0, {}},  // moved
      {ButtonRelease, Button1, 750, 550, Button1Mask, {"onMouseUp", {750, 550, 0x01}}},
  };
  std::string layouts = "us";
  for (const Sent& row : rows) {
    if (layouts != row.layouts) {
      layouts = row.layouts;
      EXPECT_EQ(std::system(("setxkbmap " + layouts).c_str()), 0) << layouts;
      pump(60);
    }
    app.calls.clear(), send(row), pump();
    EXPECT_EQ(app.calls, row.call.handler.empty() ? Calls{} : Calls{row.call}) << "row " << &row - rows;
  }
  // A long task handles a resize at once and repaints, drops the pointer's buttons, which were aimed at the screen
  // it replaces, and leaves the keys and the wheel queued in order. The buttons are inside the window it shrinks to,
  // where a release that was kept would be seen.
  app.calls.clear();
  for (const Sent& row : {Sent{KeyPress, key(XK_d), 0, 0, 0, {}}, {ButtonPress, Button1, 600, 15, 0, {}},
                          {ButtonRelease, Button1, 600, 15, Button1Mask, {}}, {ButtonPress, Button4, 30, 40, 0, {}},
                          {ConfigureNotify, 0, 640, 400, 0, {}}})
    send(row);
  XSync(mainWindow.display, False);
  EXPECT_TRUE(platform::keepWindowAlive());
  EXPECT_EQ(app.calls, (Calls{{"onResize", {640, 400}}, {"render", {}}}));
  app.calls.clear(), pump();
  EXPECT_EQ(app.calls, (Calls{{"onKeyDown", {0x44}}, {"onMouseWheel", {130, 140, 0, 120}}}));
  // A close ends the loop with 0 after the events before it; waiting moves are merged into one.
  app.calls.clear();
  const auto protocol = [](const char* name) { return XInternAtom(mainWindow.display, name, False); };
  for (int x = 1; x <= 5; ++x) send({MotionNotify, 0, x, 2 * x, 0, {}});
  send({ClientMessage, protocol("WM_TAKE_FOCUS"), 0, 0, 0, {}});  // not a close
  send({KeyPress, key(XK_d), 0, 0, 0, {}}), send({MotionNotify, 0, 9, 9, 0, {}});
  send({ClientMessage, protocol("WM_DELETE_WINDOW"), 0, 0, 0, {}});
  EXPECT_EQ(platform::runMessageLoop(), 0);
  EXPECT_EQ(app.calls, (Calls{{"onMouseMove", {5, 10, 0}}, {"onKeyDown", {0x44}}, {"onMouseMove", {9, 9, 0}}}));
}

TEST(X11Drop, TheWindowTakesXdndDropsAndOpensTheFirstTrackOfOne) {
  RunningApp running;
  ASSERT_TRUE(running.created);
  EXPECT_EQ(windowProperty("XdndAware"), "ATOM 5");
  expectTheFirstTrackOfADropToOpen(running, [](const std::vector<std::string>& paths) {
    EXPECT_EQ(dragByXdnd(mainWindow.window, {uriListOf(paths)}, [] { pump(5); }), "taken");
  });
  // Every drop is answered, and only the drag that entered may drop; a list is read whole, in one property or in
  // parts (INCR), and deleted after. Fields: list, enters, leaves first, a stranger drops first, other types, parts.
  const std::string folder = running.folder.u8string(), a = singleTriangleTrack().writeTo(folder + "/a.smx"),
                    b = singleTriangleTrack().writeTo(folder + "/b.smx"), over4MiB = std::string(5 << 20, '#') + "\n",
                    link = "http://example.com/a.smx", linked = "Not a local file: " + link;
  const struct { XdndDrag drag; std::string answers, title, notice; } rows[] = {
      {{uriListOf({a}), true, false, true}, "stranger refused, taken", a, ""}, {{link}, "refused", a, linked},
      {{uriListOf({b}), false}, "refused", a, linked}, {{uriListOf({b}), true, true}, "refused", a, linked},
      {{over4MiB + uriListOf({b})}, "taken", b, ""}, {{uriListOf({a}), true, false, false, 4}, "taken", a, ""},
      {{over4MiB + uriListOf({b}), true, false, false, 0, 1 << 18}, "taken", b, ""}};
  for (const auto& row : rows) {
    EXPECT_EQ(dragByXdnd(mainWindow.window, row.drag, [] { pump(5); }), row.answers) << "row " << &row - rows;
    const Button* notice = running.app.panel.get(ZarvoApp::noticeBoxId);
    EXPECT_EQ(windowTitle() + (notice ? notice->getText() : ""), "Zarvo - " + row.title + row.notice);
    EXPECT_EQ(windowProperty("XdndSelection"), "") << "left on the window";
  }
  // A drag whose source has gone before it is answered: the error about its window does not end the viewer.
  for (const char* type : {"XdndEnter", "XdndPosition", "XdndDrop"}) {
    XEvent message{};
    message.xclient = {ClientMessage, 0, True, mainWindow.display, mainWindow.window,
                       XInternAtom(mainWindow.display, type, False), 32, {}};
    message.xclient.data.l[0] = 0x3FFFFFFF, message.xclient.data.l[1] = (5L << 24) | 1;  // types in its gone window
    XSendEvent(mainWindow.display, mainWindow.window, False, NoEventMask, &message), pump();
  }
}

}  // namespace

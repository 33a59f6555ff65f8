// Real messages sent to the real window reach the right handler with the right integers.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/Win32Window.h"
#include "support/RecordingApp.h"

namespace {

struct MessageCase {
  const char* name;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  HandlerCall expected;
};

}  // namespace

TEST(WindowProc, EachHandledMessageCallsOneHandlerWithUnpackedIntegers) {
  RecordingApp app;
  theApp = &app;
  ASSERT_TRUE(app.create("Zarvo", "Zarvo", 720, 480, 16));
  HWND window = mainWindow();

  const MessageCase cases[] = {
      {"size", WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 600), {"onResize", {800, 600}}},
      {"minimise", WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0), {"onResize", {0, 0}}},
      {"move far right", WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(65535, 7), {"onMouseMove", {65535, 7, 0x02}}},
      {"move off top", WM_MOUSEMOVE, 0, MAKELPARAM(3, 0xFFFF), {"onMouseMove", {3, 65535, 0}}},
      {"left up", WM_LBUTTONUP, 0, MAKELPARAM(10, 20), {"onMouseUp", {10, 20, 0x01}}},
      {"right up, left held", WM_RBUTTONUP, MK_LBUTTON, MAKELPARAM(11, 21), {"onMouseUp", {11, 21, 0x03}}},
      {"middle up", WM_MBUTTONUP, 0, MAKELPARAM(12, 22), {"onMouseUp", {12, 22, 0x10}}},
      {"wheel towards user", WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, 65416), MAKELPARAM(300, 200),
       {"onMouseWheel", {300, 200, 0x04, 65416}}},
      {"wheel away", WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(1, 2), {"onMouseWheel", {1, 2, 0, 120}}},
      {"key down", WM_KEYDOWN, 'W', 0x00110001, {"onKeyDown", {0x57}}},
      {"key up", WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u), {"onKeyUp", {0x20}}},
      {"timer", WM_TIMER, 7, 0, {"onTimer", {7}}},
      {"activate", WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0, {"onActivate", {1}}},
      {"deactivate while minimised", WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0, {"onActivate", {0}}},
      {"focus gained", WM_SETFOCUS, 0, 0, {"onFocus", {1}}},
      {"focus lost", WM_KILLFOCUS, 0, 0, {"onFocus", {0}}},
      {"menu loop ends", WM_EXITMENULOOP, 0, 0, {"requestFrame", {}}},
      {"paint", WM_PAINT, 0, 0, {"render", {}}},
  };
  for (const auto& c : cases) {
    app.calls.clear();
    const LRESULT result = SendMessageA(window, c.message, c.wParam, c.lParam);
    EXPECT_EQ(result, 0) << c.name;
    ASSERT_EQ(app.calls.size(), 1u) << c.name;
    EXPECT_EQ(app.calls[0].handler, c.expected.handler) << c.name;
    EXPECT_EQ(app.calls[0].args, c.expected.args) << c.name;
  }

  app.calls.clear();
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(app.calls.empty()) << "button-down messages are not handled";

  // Drain what the messages above may have queued, then check the quit message.
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
  SendMessageA(window, WM_DESTROY, 0, 0);
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 0u);
  theApp = nullptr;
}

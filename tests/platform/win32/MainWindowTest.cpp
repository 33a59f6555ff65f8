// The main window under Wine: showing, styles, GL state, each message's handler call, teardown.
#include <windows.h>

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <filesystem>

#include "platform/Platform.h"
#include "platform/win32/MainWindow.h"
#include "support/Drops.h"
#include "support/RunningApp.h"
#include "support/SmxBytes.h"
#include "support/WindowState.h"
#include "ui/Button.h"

using platform::win32::mainWindow;

TEST(MainWindow, ShowsAStyledWindowWhoseMessagesEachCallOneHandlerAndTeardownReleasesIt) {
  ASSERT_TRUE(platform::openWindow("ZarvoSeam", "seam", 720, 480, 16));
  EXPECT_FALSE(IsWindowVisible(mainWindow())) << "shown before the first screen exists";
  platform::closeWindow();
  HWND window;
  {
    RunningApp running;
    ASSERT_TRUE(running.created);
    window = mainWindow();
    RECT client; GetClientRect(window, &client);
    EXPECT_TRUE(IsWindowVisible(window) && client.right == 720 && client.bottom == 480);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & ~WS_VISIBLE, 0x06CF0000);
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE), 0x000C0110);  // layered, app window, edge, accepts files
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST) && glIsEnabled(GL_BLEND) && glIsEnabled(GL_CULL_FACE));
    GLint depthBits = 0;
    EXPECT_GE((glGetIntegerv(GL_DEPTH_BITS, &depthBits), depthBits), 24) << "16 bits let the ground show through";

    running.app.forward = false;  // no handler name for a message that is not handled
    const struct { UINT message; WPARAM wParam; LPARAM lParam; HandlerCall expected; } cases[] = {
        {WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 600), {"onResize", {800, 600}}},
        {WM_SIZE, SIZE_MINIMIZED, 0, {"onResize", {0, 0}}}, {WM_TIMER, 7, 0, {"onTimer", {7}}},
        {WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(65535, 7), {"onMouseMove", {65535, 7, 0x02}}},
        {WM_MOUSEMOVE, 0, MAKELPARAM(3, 0xFFFF), {"onMouseMove", {3, 65535, 0}}},  // above the window: no sign
        {WM_LBUTTONUP, 0, MAKELPARAM(10, 20), {"onMouseUp", {10, 20, 0x01}}},
        {WM_RBUTTONUP, MK_LBUTTON, MAKELPARAM(11, 21), {"onMouseUp", {11, 21, 0x03}}},
        {WM_MBUTTONUP, 0, MAKELPARAM(12, 22), {"onMouseUp", {12, 22, 0x10}}},
        {WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, 65416), MAKELPARAM(300, 200), {"onMouseWheel", {300, 200, 0x04, 65416}}},
        {WM_KEYDOWN, 'W', 0x00110001, {"onKeyDown", {0x57}}}, {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5), {}},
        {WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u), {"onKeyUp", {0x20}}},
        {WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0, {"onActivate", {1}}},
        {WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0, {"onActivate", {0}}},  // while minimised
        {WM_SETFOCUS, 0, 0, {"onFocus", {1}}}, {WM_KILLFOCUS, 0, 0, {"onFocus", {0}}},
        {WM_EXITMENULOOP, 0, 0, {"requestFrame", {}}}, {WM_PAINT, 0, 0, {"render", {}}},
    };
    for (const auto& c : cases) {
      running.app.calls.clear();
      const LRESULT result = SendMessageA(window, c.message, c.wParam, c.lParam);
      const bool handled = !c.expected.handler.empty();
      EXPECT_EQ(running.app.calls, handled ? std::vector{c.expected} : std::vector<HandlerCall>{}) << c.message;
      EXPECT_TRUE(result == 0 || !handled) << c.message;
    }
    // Handle what the messages above queued (a frame waits until painted), then check the quit message.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    SendMessageA(window, WM_DESTROY, 0, 0);
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
  }
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  WNDCLASSEXA windowClass{sizeof(WNDCLASSEXA)};
  EXPECT_FALSE(GetClassInfoExA(GetModuleHandleA(nullptr), "Zarvo", &windowClass));
}

// A drop as Explorer makes it: a DROPFILES header, then the wide paths, each ended by a null, and one more null.
HDROP dropOf(const std::vector<std::string>& paths) {
  std::wstring names;
  for (const auto& path : paths) names += std::filesystem::u8path(path).wstring() + L'\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (names.size() + 1) * sizeof(wchar_t));  // zeroed: the last null
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  *header = {sizeof(DROPFILES), {}, FALSE, TRUE};
  std::memcpy(header + 1, names.data(), names.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

TEST(MainWindow, TakesDropsAfterAnyLoadAndOpensTheFirstTrackOfOne) {
  RunningApp running;
  ASSERT_TRUE(running.created);
  const DropFiles drop = [](const std::vector<std::string>& paths) {
    PostMessageW(mainWindow(), WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf(paths)), 0);
    MSG message;
    EXPECT_TRUE(platform::keepWindowAlive() && PeekMessageW(&message, nullptr, WM_DROPFILES, WM_DROPFILES, PM_NOREMOVE))
        << "a load leaves the drop queued";
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  };
  expectTheFirstTrackOfADropToOpen(running, drop);
  // A relative name is no local file, and an empty one ends the list, as in Wine's drop of a URI it cannot convert.
  const std::string track = singleTriangleTrack().writeTo("here.smx");
  for (const auto& [paths, notice] : {std::pair{std::vector<std::string>{track}, "Not a local file: here.smx"},
                                      {{"", running.folder.u8string() + "/" + track}, "Nothing dropped to open."}}) {
    drop(paths);
    EXPECT_EQ(running.app.panel.get(ZarvoApp::noticeBoxId)->getText() + windowTitle(), notice + std::string("Zarvo"));
  }
}

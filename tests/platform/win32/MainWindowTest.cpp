// The main window under Wine: hidden until create shows it, size, styles, title, clear colour,
// opacity and teardown.
#include <windows.h>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "platform/Platform.h"
#include "platform/win32/Win32Window.h"
#include "support/RunningApp.h"

TEST(MainWindow, CreateShowsAStyledTitledWindowClearedInTheWorkspaceColourAndTeardownReleasesIt) {
  ASSERT_TRUE(platform::openWindow("ZarvoSeam", "seam", 720, 480, 16));
  EXPECT_FALSE(IsWindowVisible(mainWindow())) << "shown before the first screen exists";
  platform::closeWindow();
  HWND window;
  {
    RunningApp running;
    ASSERT_TRUE(running.created);
    window = mainWindow();
    RECT client;
    GetClientRect(window, &client);
    EXPECT_TRUE(IsWindowVisible(window) && client.right == 720 && client.bottom == 480);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & ~WS_VISIBLE, 0x06CF0000);
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE), 0x000C0100);
    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "Zarvo");
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    const DWORD workspace = GetSysColor(COLOR_APPWORKSPACE);
    EXPECT_EQ(std::lround(clear[0] * 255) | std::lround(clear[1] * 255) << 8 | std::lround(clear[2] * 255) << 16, long(workspace));
    EXPECT_EQ(clear[3], 0.0f);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST) && glIsEnabled(GL_BLEND) && glIsEnabled(GL_CULL_FACE));

    // Half transparent while another window has the focus.
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    for (HWND focused : {window, other, window}) {
      SetFocus(focused);
      for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
      BYTE alpha = 0;
      GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr);
      EXPECT_EQ(alpha, focused == window ? 255 : 128);
    }
    DestroyWindow(other);
  }
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  EXPECT_FALSE(GetClassInfoExA(GetModuleHandleA(nullptr), "Zarvo", &windowClass));
}

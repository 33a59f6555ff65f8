// The main window made by create, under Wine: size, styles, title, opacity and teardown.
#include <windows.h>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <utility>

#include "platform/Platform.h"
#include "platform/win32/Win32Window.h"
#include "support/RecordingApp.h"

namespace {

BYTE layeredAlpha(HWND window) {
  BYTE alpha = 0;
  GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr);
  return alpha;
}

struct CreatedApp {
  RecordingApp app;
  bool created;
  CreatedApp() {
    app.forward = true;
    theApp = &app;
    created = app.create("Zarvo", "Zarvo", 720, 480, 16);
  }
  ~CreatedApp() { theApp = nullptr; }
};

}  // namespace

TEST(MainWindow, OpensHiddenWithTheRequestedClientArea) {
  ASSERT_TRUE(platform::openWindow("ZarvoSeam", "seam", 720, 480, 16));
  EXPECT_FALSE(IsWindowVisible(mainWindow())) << "shown before the first screen exists";
  RECT client;
  GetClientRect(mainWindow(), &client);
  EXPECT_EQ(client.right - client.left, 720);
  EXPECT_EQ(client.bottom - client.top, 480);
  platform::closeWindow();
}

TEST(MainWindow, CreateShowsAStyledTitledWindowClearedInTheWorkspaceColourAndTeardownReleasesIt) {
  HWND window;
  {
    CreatedApp created;
    ASSERT_TRUE(created.created);
    window = mainWindow();
    EXPECT_TRUE(IsWindowVisible(window));
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 720);
    EXPECT_EQ(client.bottom, 480);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & ~WS_VISIBLE, 0x06CF0000);
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE), 0x000C0100);
    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "Zarvo");
    EXPECT_GE(created.app.callsOf("render").size(), 1u) << "create draws the first frame";

    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    const DWORD workspace = GetSysColor(COLOR_APPWORKSPACE);
    EXPECT_NEAR(clear[0], GetRValue(workspace) / 255.0f, 1e-6);
    EXPECT_NEAR(clear[1], GetGValue(workspace) / 255.0f, 1e-6);
    EXPECT_NEAR(clear[2], GetBValue(workspace) / 255.0f, 1e-6);
    EXPECT_EQ(clear[3], 0.0f);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST) && glIsEnabled(GL_BLEND) && glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING) || glIsEnabled(GL_TEXTURE_2D));
  }
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  EXPECT_FALSE(GetClassInfoExA(GetModuleHandleA(nullptr), "Zarvo", &windowClass));
}

TEST(MainWindow, TurnsHalfTransparentWhileAnotherWindowHasTheFocus) {
  CreatedApp created;
  ASSERT_TRUE(created.created);
  HWND window = mainWindow();
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100,
                               100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  for (const auto& [focused, alpha] : {std::pair{window, 255}, std::pair{other, 128}, std::pair{window, 255}}) {
    SetFocus(focused);
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
    EXPECT_EQ(layeredAlpha(window), alpha);
  }
  DestroyWindow(other);
}

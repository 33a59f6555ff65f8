// The main window on a real X server: its size and context, when it shows, what the window
// manager is told, how start-up fails, and that it opens and closes again and again.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>

#include "WindowProperty.h"
#include "platform/Platform.h"
#include "platform/x11/X11Window.h"
#include "res/IconPictures.h"

namespace {

using platform::x11::mainWindow;

constexpr int kWidth = 720;
constexpr int kHeight = 480;

class X11WindowTest : public testing::Test {
 protected:
  void TearDown() override { platform::closeWindow(); }

  static bool open(const char* title = "Zarvo") {
    return platform::openWindow("ZarvoTest", title, kWidth, kHeight, 16);
  }
};

XWindowAttributes windowAttributes() {
  XWindowAttributes attributes{};
  XGetWindowAttributes(mainWindow.display, mainWindow.window, &attributes);
  return attributes;
}

// One channel of a pixel the server holds, scaled to 0..255.
int channel(unsigned long pixel, unsigned long mask) {
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  return static_cast<int>(((pixel & mask) >> shift) * 255 / (mask >> shift));
}

TEST_F(X11WindowTest, OpensHiddenWithTheRequestedClientAreaAndShowsWithTheFocus) {
  ASSERT_TRUE(open());
  const XWindowAttributes hidden = windowAttributes();
  EXPECT_EQ(hidden.width, kWidth);
  EXPECT_EQ(hidden.height, kHeight);
  EXPECT_EQ(hidden.map_state, IsUnmapped);

  platform::showWindow();
  EXPECT_EQ(windowAttributes().map_state, IsViewable);
  Window focus = 0;
  int revertTo = 0;
  XGetInputFocus(mainWindow.display, &focus, &revertTo);
  EXPECT_EQ(focus, mainWindow.window);
}

TEST_F(X11WindowTest, ShowWaitsUntilAWindowManagerHasMappedTheWindow) {
  // A second client takes the window manager's part: it maps the window a while after the request.
  Display* manager = XOpenDisplay(nullptr);
  ASSERT_NE(manager, nullptr);
  XSelectInput(manager, DefaultRootWindow(manager), SubstructureRedirectMask);
  XSync(manager, False);
  ASSERT_TRUE(open());
  std::thread managerThread([manager] {
    XEvent event;
    do XNextEvent(manager, &event);
    while (event.type != MapRequest);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    XMapWindow(manager, event.xmaprequest.window);
    XSync(manager, False);
  });

  platform::showWindow();
  EXPECT_EQ(windowAttributes().map_state, IsViewable);
  managerThread.join();
  XCloseDisplay(manager);
}

TEST_F(X11WindowTest, ContextIsCurrentDoubleBufferedRgbaWithADepthBuffer) {
  ASSERT_TRUE(open());
  GLboolean doubleBuffered = GL_FALSE;
  GLboolean rgba = GL_FALSE;
  glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
  glGetBooleanv(GL_RGBA_MODE, &rgba);
  EXPECT_TRUE(doubleBuffered);
  EXPECT_TRUE(rgba);
  for (const GLenum bits : {GL_RED_BITS, GL_GREEN_BITS, GL_BLUE_BITS}) {
    GLint value = 0;
    glGetIntegerv(bits, &value);
    EXPECT_GE(value, 5) << bits;
  }
  GLint depthBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  EXPECT_GE(depthBits, 16);
}

TEST_F(X11WindowTest, SwapPresentsEachFrameOnTheServerAndCountsIt) {
  ASSERT_TRUE(open());
  platform::showWindow();
  const Visual* visual = windowAttributes().visual;
  const struct {
    float red, green, blue;
    int expectedRed, expectedGreen, expectedBlue;
  } frames[] = {
      {1, 0, 0, 255, 0, 0}, {0, 1, 0, 0, 255, 0}, {0, 0, 1, 0, 0, 255}, {1, 1, 1, 255, 255, 255}};

  for (const auto& frame : frames) {
    const unsigned long before = platform::presentedFrames();
    glClearColor(frame.red, frame.green, frame.blue, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    platform::swapBuffers();
    EXPECT_EQ(platform::presentedFrames(), before + 1);

    XSync(mainWindow.display, False);
    XImage* image =
        XGetImage(mainWindow.display, mainWindow.window, 0, 0, kWidth, kHeight, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    for (const auto& [x, y] :
         {std::pair{0, 0}, std::pair{kWidth - 1, kHeight - 1}, std::pair{360, 240}}) {
      const unsigned long pixel = XGetPixel(image, x, y);
      EXPECT_EQ(channel(pixel, visual->red_mask), frame.expectedRed) << x << "," << y;
      EXPECT_EQ(channel(pixel, visual->green_mask), frame.expectedGreen) << x << "," << y;
      EXPECT_EQ(channel(pixel, visual->blue_mask), frame.expectedBlue) << x << "," << y;
    }
    XDestroyImage(image);
  }
}

TEST_F(X11WindowTest, TitleIsLatin1InWmNameAndUtf8InNetWmName) {
  const struct {
    const char* title;
    const char* utf8;
  } titles[] = {
      {"Zarvo", "Zarvo"},
      {"Zarvo - smx/caf\xe9.smx", "Zarvo - smx/caf\xc3\xa9.smx"},
      {"Zarvo - smxU/\xc4\xd6\xdc\xdf\xff.smx",
       "Zarvo - smxU/\xc3\x84\xc3\x96\xc3\x9c\xc3\x9f\xc3\xbf.smx"},
      // A file name that is UTF-8 already is shown as it is, not encoded twice.
      {"Zarvo - smx/caf\xc3\xa9.smx", "Zarvo - smx/caf\xc3\xa9.smx"},
      {"", ""},
  };
  ASSERT_TRUE(open("first"));
  for (const auto& entry : titles) {
    platform::setTitle(entry.title);
    const WindowProperty wmName = readWindowProperty("WM_NAME");
    const WindowProperty netWmName = readWindowProperty("_NET_WM_NAME");
    EXPECT_EQ(wmName.type, "STRING");
    EXPECT_EQ(wmName.bytes, entry.title);
    EXPECT_EQ(netWmName.type, "UTF8_STRING");
    EXPECT_EQ(netWmName.bytes, entry.utf8);
  }
}

TEST_F(X11WindowTest, StartsOpaqueAndOpacityCoversTheWhole32BitScale) {
  ASSERT_TRUE(open());
  EXPECT_EQ(readWindowProperty("_NET_WM_WINDOW_OPACITY").items,
            std::vector<std::uint32_t>{0xFFFFFFFFU});
  const struct {
    unsigned char alpha;
    std::uint32_t opacity;
  } values[] = {{128, 0x80808080U}, {0, 0}, {1, 0x01010101U}, {255, 0xFFFFFFFFU}};
  for (const auto& value : values) {
    platform::setOpacity(value.alpha);
    const WindowProperty property = readWindowProperty("_NET_WM_WINDOW_OPACITY");
    EXPECT_EQ(property.type, "CARDINAL");
    EXPECT_EQ(property.items, std::vector<std::uint32_t>{value.opacity}) << int(value.alpha);
  }
}

TEST_F(X11WindowTest, TellsTheWindowManagerItsClassIconAndCloseProtocol) {
  ASSERT_TRUE(open());
  EXPECT_EQ(readWindowProperty("WM_CLASS").bytes, std::string("ZarvoTest\0ZarvoTest\0", 20));

  const WindowProperty protocols = readWindowProperty("WM_PROTOCOLS");
  EXPECT_EQ(protocols.items, std::vector<std::uint32_t>{static_cast<std::uint32_t>(
                                 XInternAtom(mainWindow.display, "WM_DELETE_WINDOW", True))});

  std::vector<std::uint32_t> expectedIcon;
  for (const int size : iconSizes) {
    expectedIcon.push_back(static_cast<std::uint32_t>(size));
    expectedIcon.push_back(static_cast<std::uint32_t>(size));
    for (const auto pixel : iconPicture(size)) expectedIcon.push_back(pixel);
  }
  const WindowProperty icon = readWindowProperty("_NET_WM_ICON");
  EXPECT_EQ(icon.type, "CARDINAL");
  EXPECT_EQ(icon.items, expectedIcon);
}

TEST_F(X11WindowTest, WithoutADisplaySaysSoAndOpensLaterWhenThereIsOne) {
  const std::string display = std::getenv("DISPLAY");
  unsetenv("DISPLAY");
  testing::internal::CaptureStderr();
  const bool opened = open();
  const std::string message = testing::internal::GetCapturedStderr();
  setenv("DISPLAY", display.c_str(), 1);

  EXPECT_FALSE(opened);
  EXPECT_EQ(message, "Zarvo: cannot open the X display (is DISPLAY set?)\n");
  EXPECT_EQ(mainWindow.display, nullptr);
  EXPECT_TRUE(open());
}

TEST_F(X11WindowTest, FailedWindowCreationShowsTheErrorAndReleasesEverything) {
  testing::internal::CaptureStderr();
  // The server refuses a window without width.
  const bool opened = platform::openWindow("ZarvoTest", "Zarvo", 0, kHeight, 16);
  const std::string message = testing::internal::GetCapturedStderr();

  EXPECT_FALSE(opened);
  EXPECT_EQ(message, "Error!: Window creation failed!\n");
  EXPECT_EQ(mainWindow.display, nullptr);
  EXPECT_EQ(mainWindow.window, 0u);
  EXPECT_EQ(mainWindow.context, nullptr);
  platform::closeWindow();
  EXPECT_TRUE(open());
  EXPECT_EQ(windowAttributes().width, kWidth);
}

TEST_F(X11WindowTest, OpensDrawsAndClosesManyTimesInOneProcess) {
  constexpr int kRounds = 25;
  const unsigned long before = platform::presentedFrames();
  for (int round = 0; round < kRounds; ++round) {
    ASSERT_TRUE(open()) << round;
    platform::showWindow();
    glClearColor(0.5f, 0.25f, 0.125f, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    GLubyte pixel[4] = {};
    glReadPixels(kWidth / 2, kHeight / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    // A 16-bit screen keeps 5 bits of red.
    EXPECT_NEAR(pixel[0], 128, 8) << round;
    platform::swapBuffers();
    platform::closeWindow();
    EXPECT_EQ(mainWindow.display, nullptr);
    platform::closeWindow();
  }
  EXPECT_EQ(platform::presentedFrames(), before + kRounds);
}

}  // namespace

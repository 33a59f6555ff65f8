// The main window on a real X server: size, context and showing, what the window manager is
// told, and how start-up fails.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/Platform.h"
#include "platform/x11/X11Window.h"
#include "res/IconPictures.h"

namespace {

using platform::x11::mainWindow;
using Items = std::vector<std::uint32_t>;

class X11WindowTest : public testing::Test {
 protected:
  void TearDown() override { platform::closeWindow(); }
  static bool open(int width = 720) { return platform::openWindow("ZarvoTest", "Zarvo", width, 480, 16); }
};

// A property as other clients see it: its type's name and its format-8 or format-32 data.
struct Property {
  std::string type, bytes;
  Items items;
};

Property property(const char* name) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(mainWindow.display, mainWindow.window, XInternAtom(mainWindow.display, name, False),
                     0, 1L << 20, False, AnyPropertyType, &type, &format, &count, &remaining, &data);
  Property read;
  if (type == None) return read;
  char* typeName = XGetAtomName(mainWindow.display, type);
  read.type = typeName;
  XFree(typeName);
  if (format == 8) read.bytes.assign(reinterpret_cast<char*>(data), count);
  // Format-32 items come back as sign-extended longs; the server holds their low 32 bits.
  for (unsigned long i = 0; format == 32 && i < count; ++i)
    read.items.push_back(static_cast<std::uint32_t>(reinterpret_cast<long*>(data)[i]));
  XFree(data);
  return read;
}

XWindowAttributes attributes() {
  XWindowAttributes attributes{};
  XGetWindowAttributes(mainWindow.display, mainWindow.window, &attributes);
  return attributes;
}

TEST_F(X11WindowTest, OpensHiddenWithTheClientAreaAndADepthBufferAndShowsOnceMappedWithTheFocus) {
  // A second client plays the window manager: it maps nothing at first, then maps a while
  // after the request.
  Display* manager = XOpenDisplay(nullptr);
  ASSERT_NE(manager, nullptr);
  XSelectInput(manager, DefaultRootWindow(manager), SubstructureRedirectMask);
  XSync(manager, False);
  ASSERT_TRUE(open());
  EXPECT_EQ(attributes().width, 720);
  EXPECT_EQ(attributes().height, 480);
  GLboolean doubleBuffered = GL_FALSE;
  GLint redBits = 0, depthBits = 0;
  glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
  glGetIntegerv(GL_RED_BITS, &redBits);
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  EXPECT_TRUE(doubleBuffered);
  EXPECT_GE(redBits, 5);
  EXPECT_GE(depthBits, 24);

  platform::showWindow();  // returns although the manager never answers
  EXPECT_EQ(attributes().map_state, IsUnmapped);
  std::thread managerThread([manager] {
    XEvent event;
    do XNextEvent(manager, &event);
    while (event.type != MapRequest);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    XMapWindow(manager, event.xmaprequest.window);
    XSync(manager, False);
  });
  platform::showWindow();
  EXPECT_EQ(attributes().map_state, IsViewable);
  Window focus = 0;
  int revertTo = 0;
  XGetInputFocus(mainWindow.display, &focus, &revertTo);
  EXPECT_EQ(focus, mainWindow.window);
  managerThread.join();
  XCloseDisplay(manager);
}

TEST_F(X11WindowTest, TellsTheWindowManagerTitleOpacityClassIconAndCloseProtocol) {
  ASSERT_TRUE(open());
  EXPECT_EQ(property("_NET_WM_WINDOW_OPACITY").items, Items{0xFFFFFFFFU});
  const struct {
    const char* title;
    const char* utf8;
    unsigned char alpha;
    std::uint32_t opacity;
  } rows[] = {
      {"Zarvo - smx/caf\xe9.smx", "Zarvo - smx/caf\xc3\xa9.smx", 128, 0x80808080U},
      {"smxU/\xc4\xd6\xdc\xdf\xff", "smxU/\xc3\x84\xc3\x96\xc3\x9c\xc3\x9f\xc3\xbf", 0, 0},
      // A name in UTF-8 already is shown as it is, not encoded twice.
      {"Zarvo - smx/caf\xc3\xa9.smx", "Zarvo - smx/caf\xc3\xa9.smx", 1, 0x01010101U},
      {"", "", 255, 0xFFFFFFFFU},
  };
  for (const auto& row : rows) {
    platform::setTitle(row.title);
    platform::setOpacity(row.alpha);
    EXPECT_EQ(property("WM_NAME").bytes, row.title);
    EXPECT_EQ(property("_NET_WM_NAME").type, "UTF8_STRING");
    EXPECT_EQ(property("_NET_WM_NAME").bytes, row.utf8);
    EXPECT_EQ(property("_NET_WM_WINDOW_OPACITY").type, "CARDINAL");
    EXPECT_EQ(property("_NET_WM_WINDOW_OPACITY").items, Items{row.opacity});
  }
  EXPECT_EQ(property("WM_CLASS").bytes, std::string("ZarvoTest\0ZarvoTest\0", 20));
  EXPECT_EQ(property("WM_PROTOCOLS").items, Items{static_cast<std::uint32_t>(mainWindow.deleteMessage)});
  Items icon;
  for (const int size : iconSizes) {
    icon.insert(icon.end(), {static_cast<std::uint32_t>(size), static_cast<std::uint32_t>(size)});
    for (const auto pixel : iconPicture(size)) icon.push_back(pixel);
  }
  EXPECT_EQ(property("_NET_WM_ICON").type, "CARDINAL");
  EXPECT_EQ(property("_NET_WM_ICON").items, icon);
}

TEST_F(X11WindowTest, FailedStartsSayWhyAndLeaveNothingOpen) {
  const std::string display = std::getenv("DISPLAY");
  unsetenv("DISPLAY");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(open());
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Zarvo: cannot open the X display (is DISPLAY set?)\n");
  EXPECT_EQ(mainWindow.display, nullptr);
  setenv("DISPLAY", display.c_str(), 1);

  testing::internal::CaptureStderr();
  EXPECT_FALSE(open(0)) << "the server refuses a window without width";
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error!: Window creation failed!\n");
  EXPECT_EQ(mainWindow.display, nullptr);
  EXPECT_EQ(mainWindow.window, 0u);
  EXPECT_EQ(mainWindow.context, nullptr);

  ASSERT_TRUE(open()) << "opens again after failing";
}

}  // namespace

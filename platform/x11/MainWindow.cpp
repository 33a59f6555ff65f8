// Opens and closes the main window with its GLX context, and presents the frames drawn in it.
#include "platform/x11/MainWindow.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <memory>
#include <thread>
#include <utility>

#include "platform/Platform.h"
#include "platform/x11/DropTarget.h"
#include "platform/x11/ErrorTrap.h"
#include "platform/x11/WindowProperties.h"

namespace platform {

namespace x11 {
MainWindow mainWindow;
}  // namespace x11

using x11::ErrorTrap;
using x11::mainWindow;

namespace {

constexpr char errorCaption[] = "Error!";
// With near 1 and far 30000 a 16-bit depth buffer lets the ground show through distant terrain,
// so 24 bits are asked for first; glXChooseVisual then picks the deepest buffer of at least that.
constexpr int depthBitsPreferred[] = {24, 16};
constexpr unsigned char opaque = 255;

constexpr std::chrono::seconds mapWait{1};
constexpr std::chrono::milliseconds mapPoll{5};

struct XFreeDeleter {
  void operator()(void* data) const { XFree(data); }
};
using VisualInfo = std::unique_ptr<XVisualInfo, XFreeDeleter>;

void internAtoms(Display* display) {
  constexpr std::pair<const char*, Atom x11::Atoms::*> named[] = {
      {"WM_DELETE_WINDOW", &x11::Atoms::wmDeleteWindow},
      {"_NET_WM_NAME", &x11::Atoms::netWmName},
      {"UTF8_STRING", &x11::Atoms::utf8String},
      {"_NET_WM_WINDOW_OPACITY", &x11::Atoms::netWmWindowOpacity},
      {"_NET_WM_ICON", &x11::Atoms::netWmIcon},
      {"XdndAware", &x11::Atoms::xdndAware},
      {"XdndEnter", &x11::Atoms::xdndEnter},
      {"XdndPosition", &x11::Atoms::xdndPosition},
      {"XdndLeave", &x11::Atoms::xdndLeave},
      {"XdndDrop", &x11::Atoms::xdndDrop},
      {"XdndStatus", &x11::Atoms::xdndStatus},
      {"XdndFinished", &x11::Atoms::xdndFinished},
      {"XdndActionCopy", &x11::Atoms::xdndActionCopy},
      {"XdndSelection", &x11::Atoms::xdndSelection},
      {"XdndTypeList", &x11::Atoms::xdndTypeList},
      {"text/uri-list", &x11::Atoms::textUriList},
      {"INCR", &x11::Atoms::incr},
  };
  char* names[std::size(named)];
  Atom atoms[std::size(named)];
  for (std::size_t i = 0; i < std::size(named); ++i) names[i] = const_cast<char*>(named[i].first);
  // One round trip for all of them.
  XInternAtoms(display, names, static_cast<int>(std::size(named)), False, atoms);
  for (std::size_t i = 0; i < std::size(named); ++i) mainWindow.atoms.*named[i].second = atoms[i];
}

bool fail(const char* text) {
  showMessage(text, errorCaption, MessageIcon::Warning);
  closeWindow();
  return false;
}

// A double-buffered RGBA visual; 16 colour bits ask for at least 5 bits a channel.
VisualInfo chooseVisual(Display* display, int colourBits) {
  const int channelBits = std::min(8, colourBits / 3);
  for (int depthBits : depthBitsPreferred) {
    int attributes[] = {GLX_RGBA,       GLX_DOUBLEBUFFER, GLX_RED_SIZE,  channelBits,
                        GLX_GREEN_SIZE, channelBits,      GLX_BLUE_SIZE, channelBits,
                        GLX_DEPTH_SIZE, depthBits,        None};
    if (XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), attributes))
      return VisualInfo(visual);
  }
  return VisualInfo();
}

// Creates the window and its colormap; both stay zero unless the server made them.
bool createWindow(const XVisualInfo& visual, int width, int height) {
  Display* display = mainWindow.display;
  ErrorTrap trap(display);
  const Window root = RootWindow(display, visual.screen);
  const Colormap colormap = XCreateColormap(display, root, visual.visual, AllocNone);
  XSetWindowAttributes attributes{};
  attributes.colormap = colormap;
  attributes.event_mask = x11::eventMask;
  // No background: GL paints every pixel, and the server clearing first would only flicker.
  attributes.background_pixmap = None;
  attributes.border_pixel = 0;
  const Window window =
      XCreateWindow(display, root, 0, 0, static_cast<unsigned>(width),
                    static_cast<unsigned>(height), 0, visual.depth, InputOutput, visual.visual,
                    CWColormap | CWEventMask | CWBackPixmap | CWBorderPixel, &attributes);
  // After an error the ids may name nothing; closing the connection frees whatever was made.
  if (trap.failed()) return false;
  mainWindow.colormap = colormap;
  mainWindow.window = window;
  return true;
}

void setWindowManagerHints(const char* className, const char* title) {
  Display* display = mainWindow.display;
  const Window window = mainWindow.window;
  XClassHint classHint{const_cast<char*>(className), const_cast<char*>(className)};
  XSetClassHint(display, window, &classHint);
  XSetWMProtocols(display, window, &mainWindow.atoms.wmDeleteWindow, 1);
  setTitle(title);
  x11::setWindowIcon(display, window);
  x11::acceptDrops(display, window);
  setOpacity(opaque);
  const Cursor arrow = XCreateFontCursor(display, XC_left_ptr);
  XDefineCursor(display, window, arrow);
  XFreeCursor(display, arrow);
}

bool createContext(XVisualInfo& visual) {
  mainWindow.context = glXCreateContext(mainWindow.display, &visual, nullptr, True);
  return mainWindow.context &&
         glXMakeCurrent(mainWindow.display, mainWindow.window, mainWindow.context);
}

bool isViewable() {
  XWindowAttributes attributes;
  return XGetWindowAttributes(mainWindow.display, mainWindow.window, &attributes) &&
         attributes.map_state == IsViewable;
}

}  // namespace

bool openWindow(const char* className, const char* title, int width, int height, int colourBits) {
  mainWindow.display = XOpenDisplay(nullptr);
  if (!mainWindow.display) {
    showMessage("cannot open the X display (is DISPLAY set?)", "Zarvo", MessageIcon::Error);
    return false;
  }
  internAtoms(mainWindow.display);
  VisualInfo visual = chooseVisual(mainWindow.display, colourBits);
  if (!visual) return fail("PixelFormat failed!?");
  if (!createWindow(*visual, width, height)) return fail("Window creation failed!");
  mainWindow.width = width;
  mainWindow.height = height;
  setWindowManagerHints(className, title);
  // NOTE: by default X sends a held key as release/press pairs; Windows repeats the key-down only.
  XkbSetDetectableAutoRepeat(mainWindow.display, True, nullptr);
  mainWindow.numLockMask = XkbKeysymToModifiers(mainWindow.display, XK_Num_Lock);
  if (!createContext(*visual)) return fail("Rendering context failed!");
  return true;
}

void closeWindow() {
  Display* display = mainWindow.display;
  if (!display) return;
  if (mainWindow.context) {
    glXMakeCurrent(display, None, nullptr);
    glXDestroyContext(display, mainWindow.context);
  }
  if (mainWindow.window) XDestroyWindow(display, mainWindow.window);
  if (mainWindow.colormap) XFreeColormap(display, mainWindow.colormap);
  XCloseDisplay(display);
  mainWindow = x11::MainWindow{};
}

void showWindow() {
  if (!mainWindow.window) return;
  Display* display = mainWindow.display;
  XMapWindow(display, mainWindow.window);
  // NOTE: mapping is asynchronous (a window manager may reparent first), and a frame drawn
  // before the window is viewable is lost. A manager slower than the bound only costs that
  // frame: the Expose that follows the mapping draws it again.
  const auto deadline = std::chrono::steady_clock::now() + mapWait;
  while (!isViewable() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(mapPoll);
  // Windows gives a shown window the keyboard; without a window manager nobody else would.
  ErrorTrap trap(display);
  XSetInputFocus(display, mainWindow.window, RevertToParent, CurrentTime);
}

void swapBuffers() {
  if (!mainWindow.window) return;
  glXSwapBuffers(mainWindow.display, mainWindow.window);
}

void requestFrame() {
  if (mainWindow.window) mainWindow.frameRequested = true;
}

}  // namespace platform

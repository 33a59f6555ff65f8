// Sends events to the main window over a connection of its own, so any thread may use it.
#include "platform/WindowInput.h"

#include <X11/Xlib.h>

#include <string>

#include "platform/x11/MainWindow.h"

namespace platform {

struct WindowInput::Target {
  Display* display;
  Window window;
  Atom deleteMessage;
};

namespace {

void sendKey(Display* display, Window window, int type, char letter) {
  XEvent event{};
  event.xkey.type = type;
  event.xkey.display = display;
  event.xkey.window = window;
  event.xkey.keycode = XKeysymToKeycode(display, XStringToKeysym(std::string(1, letter + 'a' - 'A').c_str()));
  XSendEvent(display, window, False, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
  // Once the server has our request, the event is on its way to the window's connection.
  XSync(display, False);
}

}  // namespace

WindowInput::WindowInput()
    : target(new Target{XOpenDisplay(DisplayString(x11::mainWindow.display)), x11::mainWindow.window,
                        x11::mainWindow.atoms.wmDeleteWindow}) {}

WindowInput::~WindowInput() {
  XCloseDisplay(target->display);
  delete target;
}

void WindowInput::keyDown(char letter) { sendKey(target->display, target->window, KeyPress, letter); }

void WindowInput::keyUp(char letter) { sendKey(target->display, target->window, KeyRelease, letter); }

// The window manager's close request ends the loop; the window stays until closeWindow.
void WindowInput::endLoop() {
  XEvent event{};
  event.xclient = {ClientMessage, 0, True, target->display, target->window,
                   XInternAtom(target->display, "WM_PROTOCOLS", False), 32, {}};
  event.xclient.data.l[0] = static_cast<long>(target->deleteMessage);
  XSendEvent(target->display, target->window, False, NoEventMask, &event);
  XSync(target->display, False);
}

}  // namespace platform

#include "EventPump.h"

#include <chrono>
#include <thread>

#include "platform/x11/EventDispatch.h"
#include "platform/x11/X11Window.h"

using platform::x11::mainWindow;

void pumpEvents() {
  XSync(mainWindow.display, False);
  while (XPending(mainWindow.display) > 0) {
    XEvent event;
    XNextEvent(mainWindow.display, &event);
    platform::x11::processEvent(event);
  }
}

void pumpEventsFor(int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end) {
    pumpEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void PrintTo(const HandlerCall& call, std::ostream* out) {
  *out << call.handler << "(";
  for (size_t i = 0; i < call.args.size(); ++i) *out << (i ? ", " : "") << call.args[i];
  *out << ")";
}

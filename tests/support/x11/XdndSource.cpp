#include "support/x11/XdndSource.h"

#include <X11/Xatom.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

// file:// URIs with every byte but the unreserved ones and '/' escaped, spaces and UTF-8 letters included.
std::string uriListOf(const std::vector<std::string>& paths) {
  std::string list;
  for (const std::string& path : paths) {
    list += "file://";
    for (const char c : path) {
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", static_cast<unsigned char>(c));
      list += std::isalnum(static_cast<unsigned char>(c)) || c == '/' || c == '.' || c == '-' ? std::string(1, c) : escape;
    }
    list += "\r\n";
  }
  return list;
}

// The source's side of the drop: offer, drop when accepted, hand over the list, wait for the end.
void runSource(Window target, const std::string& uriList, std::atomic<int>& taken) {
  Display* display = XOpenDisplay(nullptr);
  const auto atom = [&](const char* name) { return XInternAtom(display, name, False); };
  const Window source = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(display, atom("XdndSelection"), source, CurrentTime);
  const auto send = [&](const char* type, long l1, long l2, long l4) {
    XEvent event{};
    event.xclient = {ClientMessage, 0, True, display, target, atom(type), 32, {}};
    event.xclient.data.l[0] = static_cast<long>(source);
    event.xclient.data.l[1] = l1, event.xclient.data.l[2] = l2, event.xclient.data.l[4] = l4;
    XSendEvent(display, target, False, NoEventMask, &event);
    XFlush(display);
  };
  send("XdndEnter", 5L << 24, static_cast<long>(atom("text/uri-list")), None);
  send("XdndPosition", 0, (10 << 16) | 10, static_cast<long>(atom("XdndActionCopy")));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (taken < 0 && std::chrono::steady_clock::now() < deadline) {
    if (XPending(display) == 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == ClientMessage && event.xclient.message_type == atom("XdndStatus")) {
      send("XdndDrop", 0, CurrentTime, None);
    } else if (event.type == ClientMessage && event.xclient.message_type == atom("XdndFinished")) {
      taken = event.xclient.data.l[1] & 1;
    } else if (event.type == SelectionRequest) {
      const XSelectionRequestEvent& request = event.xselectionrequest;
      XChangeProperty(display, request.requestor, request.property, request.target, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(uriList.data()), static_cast<int>(uriList.size()));
      XEvent notify{};
      notify.xselection = {SelectionNotify, 0, True, display, request.requestor, request.selection, request.target,
                           request.property, request.time};
      XSendEvent(display, request.requestor, False, NoEventMask, &notify);
      XFlush(display);
    }
  }
  XDestroyWindow(display, source);
  XCloseDisplay(display);
  if (taken < 0) taken = 0;
}

}  // namespace

bool dropByXdnd(Window target, const std::vector<std::string>& paths, const std::function<void()>& pumpTarget) {
  std::atomic<int> taken{-1};  // until the source is through
  std::thread source(runSource, target, uriListOf(paths), std::ref(taken));
  while (taken < 0) pumpTarget();
  source.join();
  return taken == 1;
}

#include "support/x11/XdndSource.h"

#include <X11/Xatom.h>

#include <cctype>
#include <cstdio>

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

}  // namespace

bool dropByXdnd(Window target, const std::vector<std::string>& paths, const std::function<void()>& pumpTarget) {
  const std::string uriList = uriListOf(paths);
  Display* display = XOpenDisplay(nullptr);
  const auto atom = [&](const char* name) { return XInternAtom(display, name, False); };
  const Window source = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(display, atom("XdndSelection"), source, CurrentTime);
  const auto send = [&](Window to, XEvent event) { XSendEvent(display, to, False, NoEventMask, &event), XFlush(display); };
  const auto message = [&](const char* type, long l1, long l2, long l4) {
    XEvent event{};
    event.xclient = {ClientMessage, 0, True, display, target, atom(type), 32, {}};
    event.xclient.data.l[0] = static_cast<long>(source);
    event.xclient.data.l[1] = l1, event.xclient.data.l[2] = l2, event.xclient.data.l[4] = l4;
    send(target, event);
  };
  message("XdndEnter", 5L << 24, static_cast<long>(atom("text/uri-list")), None);
  message("XdndPosition", 0, (10 << 16) | 10, static_cast<long>(atom("XdndActionCopy")));
  int taken = -1;  // until the target has finished the drop
  // The target's turns and the source's alternate; a target that never finishes fails after 2000 turns.
  for (int turn = 0; taken < 0 && turn < 2000; ++turn) {
    pumpTarget();
    for (XEvent event; taken < 0 && XPending(display) > 0;) {
      XNextEvent(display, &event);
      if (event.type == ClientMessage && event.xclient.message_type == atom("XdndStatus")) {
        const bool accepted = event.xclient.data.l[1] & 1;  // else the drag leaves, as a user's would
        message(accepted ? "XdndDrop" : "XdndLeave", 0, CurrentTime, None);
        if (!accepted) taken = 0;
      } else if (event.type == ClientMessage && event.xclient.message_type == atom("XdndFinished")) {
        taken = event.xclient.data.l[1] & 1;
      } else if (event.type == SelectionRequest) {
        const XSelectionRequestEvent& request = event.xselectionrequest;
        XChangeProperty(display, request.requestor, request.property, request.target, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(uriList.data()), static_cast<int>(uriList.size()));
        XEvent notify{};
        notify.xselection = {SelectionNotify, 0, True, display, request.requestor, request.selection, request.target,
                             request.property, request.time};
        send(request.requestor, notify);
      }
    }
  }
  XDestroyWindow(display, source);
  XCloseDisplay(display);
  return taken == 1;
}

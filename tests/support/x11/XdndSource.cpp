#include "support/x11/XdndSource.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

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

std::string dragByXdnd(Window target, const XdndDrag& drag, const std::function<void()>& pumpTarget) {
  Display* display = XOpenDisplay(nullptr);
  const auto atom = [&](const char* name) { return XInternAtom(display, name, False); };
  const auto put = [&](Window window, Atom property, Atom type, int format, const void* data, size_t count) {
    XChangeProperty(display, window, property, type, format, PropModeReplace, static_cast<const unsigned char*>(data),
                    int(count)), XFlush(display);
  };
  const Window root = DefaultRootWindow(display), source = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0),
               stranger = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(display, atom("XdndSelection"), source, CurrentTime);
  std::vector<Atom> types;
  for (int i = 0; i < drag.otherTypes; ++i) types.push_back(atom(("text/x-other-" + std::to_string(i)).c_str()));
  types.push_back(atom("text/uri-list"));
  put(source, atom("XdndTypeList"), XA_ATOM, 32, types.data(), types.size());
  types.resize(3, None);
  const auto send = [&](Window to, XEvent event) { XSendEvent(display, to, False, NoEventMask, &event), XFlush(display); };
  const auto message = [&](const char* type, Window from, long l1 = 0, long l2 = CurrentTime, long l3 = 0,
                           long l4 = 0) {
    XEvent event{};
    event.xclient = {ClientMessage, 0, True, display, target, atom(type), 32, {}};
    const long items[] = {long(from), l1, l2, l3, l4};
    std::copy(std::begin(items), std::end(items), event.xclient.data.l);
    send(target, event);
  };
  if (drag.enters) {
    message("XdndEnter", source, (5L << 24) | (drag.otherTypes > 2), long(types[0]), long(types[1]), long(types[2]));
    message("XdndPosition", source, 0, (10 << 16) | 10, 0, long(atom("XdndActionCopy")));
  } else {
    message("XdndDrop", source);
  }
  std::string answers;
  bool finished = false, partsDone = false;
  size_t sent = 0;
  // The target's turns and the source's alternate; a target that never finishes is unanswered after 2000 turns.
  for (int turn = 0; !finished && turn < 2000; ++turn) {
    pumpTarget();
    for (XEvent event; !finished && XPending(display) > 0;) {
      XNextEvent(display, &event);
      const XClientMessageEvent& answer = event.xclient;
      if (event.type == ClientMessage && answer.message_type == atom("XdndStatus")) {
        if (drag.leavesFirst) message("XdndLeave", source);
        message("XdndDrop", drag.strangerDropsFirst ? stranger : source);
      } else if (event.type == ClientMessage && answer.message_type == atom("XdndFinished")) {
        const bool taken = answer.data.l[1] & 1;
        answers += std::string(answer.window == stranger ? "stranger " : "") + (taken ? "taken" : "refused");
        finished = answer.window == source;
        if (!finished) answers += ", ", message("XdndDrop", source);
      } else if (event.type == SelectionRequest) {
        const XSelectionRequestEvent& request = event.xselectionrequest;
        const long size = long(drag.uriList.size());
        if (drag.partSize) XSelectInput(display, request.requestor, PropertyChangeMask);  // a deletion asks for a part
        if (drag.partSize) put(request.requestor, request.property, atom("INCR"), 32, &size, 1);
        else put(request.requestor, request.property, request.target, 8, drag.uriList.data(), drag.uriList.size());
        XEvent notify{};
        notify.xselection = {SelectionNotify, 0, True, display, request.requestor, request.selection, request.target,
                             request.property, request.time};
        send(request.requestor, notify);
      } else if (event.type == PropertyNotify && event.xproperty.state == PropertyDelete && !partsDone) {
        const std::string part = drag.uriList.substr(sent, drag.partSize);  // empty at the end
        put(event.xproperty.window, event.xproperty.atom, atom("text/uri-list"), 8, part.data(), part.size());
        sent += part.size(), partsDone = part.empty();
      }
    }
  }
  XCloseDisplay(display);
  return finished ? answers : answers + "unanswered";
}

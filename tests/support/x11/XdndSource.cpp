#include "support/x11/XdndSource.h"

#include <X11/Xatom.h>

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
  const Window root = DefaultRootWindow(display), source = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0),
               stranger = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(display, atom("XdndSelection"), source, CurrentTime);
  std::vector<Atom> types;
  for (int i = 0; i < drag.otherTypes; ++i) types.push_back(atom(("text/x-other-" + std::to_string(i)).c_str()));
  types.push_back(atom("text/uri-list"));
  XChangeProperty(display, source, atom("XdndTypeList"), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(types.data()), static_cast<int>(types.size()));
  types.resize(3, None);
  const auto send = [&](Window to, XEvent event) { XSendEvent(display, to, False, NoEventMask, &event), XFlush(display); };
  const auto message = [&](const char* type, long l1, long l2, long l3, long l4, Window from) {
    XEvent event{};
    event.xclient = {ClientMessage, 0, True, display, target, atom(type), 32, {}};
    event.xclient.data.l[0] = static_cast<long>(from);
    event.xclient.data.l[1] = l1, event.xclient.data.l[2] = l2, event.xclient.data.l[3] = l3, event.xclient.data.l[4] = l4;
    send(target, event);
  };
  const auto drop = [&](Window from) { message("XdndDrop", 0, CurrentTime, 0, 0, from); };
  if (drag.enters) {
    message("XdndEnter", (5L << 24) | (drag.otherTypes > 2), long(types[0]), long(types[1]), long(types[2]), source);
    message("XdndPosition", 0, (10 << 16) | 10, 0, long(atom("XdndActionCopy")), source);
  } else {
    drop(source);
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
        if (drag.strangerDropsFirst) {
          drop(stranger);
        } else if (drag.leavesFirst || !(answer.data.l[1] & 1)) {  // as a user's drag leaves a window that refuses
          message("XdndLeave", 0, 0, 0, 0, source);
          if (drag.leavesFirst) drop(source);
          else answers += "not accepted", finished = true;
        } else {
          drop(source);
        }
      } else if (event.type == ClientMessage && answer.message_type == atom("XdndFinished")) {
        answers += std::string(answers.empty() ? "" : ", ") + (answer.window == stranger ? "stranger " : "") +
                   (answer.data.l[1] & 1 ? "taken" : "refused");
        finished = answer.window == source;
        if (!finished) drop(source);
      } else if (event.type == SelectionRequest) {
        const XSelectionRequestEvent& request = event.xselectionrequest;
        const long size = static_cast<long>(drag.uriList.size());
        if (drag.partSize) {  // a deletion of the property asks for each part
          XSelectInput(display, request.requestor, PropertyChangeMask);
          XChangeProperty(display, request.requestor, request.property, atom("INCR"), 32, PropModeReplace,
                          reinterpret_cast<const unsigned char*>(&size), 1);
        } else {
          XChangeProperty(display, request.requestor, request.property, request.target, 8, PropModeReplace,
                          reinterpret_cast<const unsigned char*>(drag.uriList.data()), static_cast<int>(size));
        }
        XEvent notify{};
        notify.xselection = {SelectionNotify, 0, True, display, request.requestor, request.selection, request.target,
                             request.property, request.time};
        send(request.requestor, notify);
      } else if (event.type == PropertyNotify && event.xproperty.state == PropertyDelete && !partsDone) {
        const std::string part = drag.uriList.substr(sent, drag.partSize);  // empty at the end
        XChangeProperty(display, event.xproperty.window, event.xproperty.atom, atom("text/uri-list"), 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(part.data()), int(part.size()));
        XFlush(display);
        sent += part.size(), partsDone = part.empty();
      }
    }
  }
  XCloseDisplay(display);
  return finished ? answers : answers + (answers.empty() ? "" : ", ") + "unanswered";
}

bool dropByXdnd(Window target, const std::vector<std::string>& paths, const std::function<void()>& pumpTarget) {
  return dragByXdnd(target, {uriListOf(paths)}, pumpTarget) == "taken";
}

// The desktop's workspace colour, double-click time and host name, and the message box, which on Linux is a line
// on standard error.
#include <unistd.h>

#include <climits>
#include <cstdio>

#include "platform/Platform.h"

namespace platform {

namespace {

// Windows' default application workspace grey, 171, 171, 171, as 0x00BBGGRR.
constexpr unsigned workspaceGrey = 0x00ABABAB;
// NOTE: the X server keeps no double-click time; this is the usual desktops' default (GTK's among them).
constexpr int usualDoubleClickTime = 400;

}  // namespace

unsigned workspaceColour() { return workspaceGrey; }

int doubleClickTime() { return usualDoubleClickTime; }

std::string hostName() {
  char name[HOST_NAME_MAX + 1] = {};
  return gethostname(name, HOST_NAME_MAX) == 0 ? name : "";
}

void showMessage(const char* text, const char* caption, MessageIcon) {
  std::fprintf(stderr, "%s: %s\n", caption, text);
}

}  // namespace platform

// The Windows GUI entry point: the arguments come from the wide command line, as UTF-8.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/WindowHandlers.h"
#include "platform/win32/WideText.h"

namespace {

// NOTE: WinMain's command line is ANSI; a name the code page cannot hold arrives only in the wide one.
std::vector<std::string> arguments() {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> utf8;
  for (int i = 1; words && i < count; ++i) utf8.push_back(platform::win32::utf8FromWide(words[i]));
  LocalFree(words);
  return utf8;
}

// NOTE: a GUI program starts without a console; started from a Command Prompt, its usage and messages go to that
// one, unless they are already sent elsewhere (redirected, or by Wine).
void useParentConsole() {
  if (GetStdHandle(STD_ERROR_HANDLE) || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
  std::freopen("CONOUT$", "w", stdout);
  std::freopen("CONOUT$", "w", stderr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  useParentConsole();
  return runZarvo(arguments());
}

// The Windows GUI entry point: the arguments come from the wide command line, as UTF-8.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/ZarvoApp.h"
#include "platform/win32/Win32Text.h"

namespace {

// NOTE: WinMain's command line is ANSI; a name the code page cannot hold arrives only in the wide one.
std::vector<std::string> arguments() {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> utf8;
  for (int i = 1; words && i < count; ++i) utf8.push_back(utf8FromWide(words[i]));
  LocalFree(words);
  return utf8;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return runZarvo(arguments());
}

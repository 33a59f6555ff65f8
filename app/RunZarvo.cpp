// The program from start to exit, shared by every platform's entry point.
#include <cstdio>
#include <cstdlib>

#include "app/ZarvoApp.h"
#include "platform/Platform.h"

namespace {

constexpr int startWidth = 720;
constexpr int startHeight = 480;
constexpr int colourBits = 16;

constexpr const char* usage =
    "usage: zarvo [PATH]\n"
    "       zarvo -h | --help\n"
    "Views racing-track meshes stored in SMX files.\n"
    "Without PATH: lists the *.smx files in smx/ and smxU/ of the working folder.\n"
    "PATH a file: opens that track at once; \"close\" then shows that list.\n"
    "PATH a folder: lists the tracks in its smx/ and smxU/.\n"
    "A .smx file dropped on the window opens as PATH does.\n"
    "In the window, F1 or H shows every control.\n";

bool isHelp(const std::string& argument) { return argument == "-h" || argument == "--help"; }

}  // namespace

int runZarvo(const std::vector<std::string>& arguments) {
  if (!arguments.empty() && isHelp(arguments[0])) {
    std::fputs(usage, stdout);
    return EXIT_SUCCESS;
  }
  for (size_t i = 1; i < arguments.size(); ++i) std::fprintf(stderr, "zarvo: ignored: %s\n", arguments[i].c_str());
  const std::string path = arguments.empty() ? "" : arguments[0];
  // A folder is entered before the first list is made, so that list is already its own.
  const bool folderGiven = !path.empty() && platform::changeFolder(path);

  // Set before create: messages that arrive while the window is made already reach the app.
  theApp = new ZarvoApp;
  // A start that failed has shown why; its status tells scripts and launchers it did not run.
  int exitCode = EXIT_FAILURE;
  if (theApp->create("Zarvo", "Zarvo", startWidth, startHeight, colourBits)) {
    if (!path.empty() && !folderGiven) theApp->openGivenPath(path);
    exitCode = platform::runMessageLoop();
  }
  delete theApp;
  theApp = nullptr;
  return exitCode;
}

// The program from start to exit, shared by every platform's entry point.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/ZarvoApp.h"
#include "platform/Platform.h"

namespace {

constexpr int startWidth = 720;
constexpr int startHeight = 480;
constexpr int colourBits = 16;

constexpr const char* synopsis =
    "usage: zarvo [--] [PATH]\n"
    "       zarvo -h | --help\n";
constexpr const char* description =
    "Views racing-track meshes stored in SMX files.\n"
    "Without PATH: lists the *.smx files in smx/ and smxU/ of the working folder.\n"
    "PATH a file: opens that track at once; \"close\" then shows that list.\n"
    "PATH a folder: lists the tracks in its smx/ and smxU/.\n"
    "-- ends the options, for a PATH that starts with -.\n"
    "A .smx file dropped on the window opens as PATH does.\n"
    "In the window, F1 or H shows every control.\n";

// As other command-line programs do: a command line that cannot be understood.
constexpr int usageError = 2;

}  // namespace

int runZarvo(const std::vector<std::string>& arguments) {
  std::vector<std::string> paths;
  bool optionsEnded = false;
  for (const std::string& argument : arguments) {
    if (optionsEnded || argument.empty() || argument[0] != '-') {
      paths.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "-h" || argument == "--help") {
      std::printf("%s%s", synopsis, description);
      return EXIT_SUCCESS;
    } else {
      std::fprintf(stderr, "zarvo: unknown option: %s\n%s", argument.c_str(), synopsis);
      return usageError;
    }
  }
  for (size_t i = 1; i < paths.size(); ++i) std::fprintf(stderr, "zarvo: ignored: %s\n", paths[i].c_str());
  const std::string path = paths.empty() ? "" : paths[0];
  // A folder is entered before the first list is made, so that list is already its own.
  const bool folderGiven = !path.empty() && platform::changeFolder(path);

  // Set before create: messages that arrive while the window is made already reach the app.
  auto app = std::make_unique<ZarvoApp>();
  theApp = app.get();
  // A start that failed has shown why; its status tells scripts and launchers it did not run.
  int exitCode = EXIT_FAILURE;
  if (app->create("Zarvo", "Zarvo", startWidth, startHeight, colourBits)) {
    if (!path.empty() && !folderGiven) app->openGivenPath(path);
    exitCode = platform::runMessageLoop();
  }
  app.reset();
  theApp = nullptr;
  return exitCode;
}

// The program from start to exit, shared by every platform's entry point.
#include <cstdlib>

#include "app/ZarvoApp.h"
#include "platform/Platform.h"

namespace {

constexpr int startWidth = 720;
constexpr int startHeight = 480;
constexpr int colourBits = 16;

}  // namespace

int runZarvo() {
  // Set before create: messages that arrive while the window is made already reach the app.
  theApp = new ZarvoApp;
  // A start that failed has shown why; its status tells scripts and launchers it did not run.
  int exitCode = EXIT_FAILURE;
  if (theApp->create("Zarvo", "Zarvo", startWidth, startHeight, colourBits))
    exitCode = platform::runMessageLoop();
  delete theApp;
  theApp = nullptr;
  return exitCode;
}

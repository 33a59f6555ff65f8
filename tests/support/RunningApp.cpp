#include "support/RunningApp.h"

#include <chrono>
#include <string>

// The folder is named by the clock in nanoseconds: tests run in parallel processes.
RunningApp::RunningApp(const std::function<void()>& prepare)
    : previousFolder(std::filesystem::current_path()),
      folder(std::filesystem::temp_directory_path() /
             ("zarvo-test-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()))) {
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  prepare();
  app.forward = true;
  theApp = &app;
  created = app.create("Zarvo", "Zarvo", 720, 480, 16);
}

RunningApp::~RunningApp() {
  theApp = nullptr;
  std::filesystem::current_path(previousFolder);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

#include "support/RunningApp.h"

#include <chrono>
#include <string>

// Named by the clock in nanoseconds: tests run in parallel processes.
WorkingFolder::WorkingFolder()
    : previous(std::filesystem::current_path()),
      path(std::filesystem::temp_directory_path() /
           ("zarvo-test-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()))) {
  std::filesystem::create_directories(path);
  std::filesystem::current_path(path);
}

WorkingFolder::~WorkingFolder() {
  std::filesystem::current_path(previous);
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

RunningApp::RunningApp(const std::function<void()>& prepare) {
  prepare();
  app.forward = true;
  theApp = &app;
  created = app.create("Zarvo", "Zarvo", 720, 480, 16);
}

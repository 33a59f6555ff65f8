#include "support/RunningApp.h"

#include <atomic>
#include <chrono>

#include "platform/Platform.h"
#include "ui/Button.h"

WorkingFolder::WorkingFolder() : previous(std::filesystem::current_path()) {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  folder = std::filesystem::temp_directory_path() /
           ("zarvo-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
}

WorkingFolder::~WorkingFolder() {
  std::filesystem::current_path(previous);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

void RunningApp::start() {
  app.forward = true;
  theApp = &app;
  created = app.create("Zarvo", "Zarvo", 720, 480, 16);
}

RunningApp::~RunningApp() {
  theApp = nullptr;
}

void RunningApp::openFile(int id) {
  app.onButton(id, app.panel.get(id));
}

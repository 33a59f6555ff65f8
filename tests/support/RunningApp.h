// The real application, created with its real window inside a fresh temporary working folder.
#pragma once

#include <filesystem>
#include <string>

#include "support/RecordingApp.h"

class WorkingFolder {
 public:
  WorkingFolder();
  ~WorkingFolder();
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

  const std::filesystem::path& path() const { return folder; }

 private:
  std::filesystem::path previous;
  std::filesystem::path folder;
};

class RunningApp {
 public:
  // Files written by prepare() exist before create builds the first screen.
  template <class Prepare>
  explicit RunningApp(Prepare prepare) {
    prepare();
    start();
  }
  RunningApp() { start(); }
  ~RunningApp();

  // Clicks file box id through the panel's listener, as a left click on it would.
  void openFile(int id);
  // Frames the handlers asked for while running action.
  template <class Action>
  size_t framesRequestedDuring(Action action) {
    const size_t before = app.callsOf("requestFrame").size();
    action();
    return app.callsOf("requestFrame").size() - before;
  }

  WorkingFolder folder;
  RecordingApp app;
  bool created = false;

 private:
  void start();
};

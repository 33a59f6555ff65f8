// The real application, created with its real window inside a fresh temporary working folder.
#pragma once

#include <algorithm>
#include <filesystem>
#include <functional>

#include "support/RecordingApp.h"

class RunningApp {
 public:
  // Files written by prepare() exist before create builds the first screen.
  explicit RunningApp(const std::function<void()>& prepare = [] {});
  ~RunningApp();
  // Clicks file box id through the panel's listener, as a left click on it would.
  void openFile(int id) { app.onButton(id, app.panel.get(id)); }
  // Frames the handlers asked for while running action.
  template <class Action>
  size_t framesRequestedDuring(Action action) {
    const auto requests = [&] { return std::count(app.calls.begin(), app.calls.end(), HandlerCall{"requestFrame", {}}); };
    const auto before = requests();
    action();
    return size_t(requests() - before);
  }

  const std::filesystem::path previousFolder, folder;  // the working folder, removed with all it holds after
  RecordingApp app;
  bool created = false;
};

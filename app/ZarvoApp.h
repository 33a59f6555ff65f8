// The application object: owns the overlay, the mesh and the camera, and handles every window event.
// Its members live in app/: ZarvoApp.cpp (create, onFocus, onMouseUp), Screens.cpp (buildScreen,
// showNotice, refusal), TrackLoading.cpp (openTrack, replaceTrack, closeTrack, onButton), GivenPaths.cpp
// (openGivenPath, onFilesDropped), HelpBox.cpp (the help box), Controls.cpp (keys, mouse moves, the wheel)
// and Frame.cpp (render, requestFrame, onResize, onActivate, onTimer). Calls between these files run one
// way: from the handlers down to TrackLoading, then Screens, then Frame.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "mesh/SmxModel.h"
#include "platform/WindowHandlers.h"
#include "ui/ButtonPanel.h"
#include "ui/Callback.h"

class Button;

class ZarvoApp : public WindowHandlers {
 public:
  static constexpr int closeBoxId = 0;
  static constexpr int infoBoxId = -1;
  static constexpr int noticeBoxId = -2;

  ZarvoApp();
  // Tests derive from it to watch what the window backends deliver.
  virtual ~ZarvoApp();
  ZarvoApp(const ZarvoApp&) = delete;
  ZarvoApp& operator=(const ZarvoApp&) = delete;

  bool create(const char* className, const char* windowName, int width, int height, int colourBits);

  // Draws the whole frame now. Handlers call requestFrame instead, and the window backend
  // draws once the input waiting for the app has been handled.
  void render() override;
  void requestFrame() override;
  void onResize(int width, int height) override;
  void onActivate(bool active) override;
  void onTimer(unsigned timerId) override;
  void onFocus(bool focused) override;
  void onKeyDown(unsigned key) override;
  void onKeyUp(unsigned key) override;
  void onMouseMove(int x, int y, unsigned flags) override;
  void onMouseUp(int x, int y, unsigned flags) override;
  void onMouseWheel(int x, int y, unsigned keys, unsigned delta) override;
  // What was dropped on the window: the first local .smx file opens as a given path; else a notice says why not.
  void onFilesDropped(const std::vector<DroppedItem>& items) override;

  void buildScreen();
  void onButton(int id, Button* button);
  // Loads the track, keeping the window alive and showing the progress of a long load.
  void openTrack(const std::string& path);
  // A track named outside the list (the command line, a drop) opens as if its box had been clicked;
  // one that cannot be opened leaves the list with a notice saying why, also on standard error.
  void openGivenPath(const std::string& path);
  // Shows a text in the notice box of the current screen; filled, the share of the box lit from the
  // left, makes it a progress bar.
  void showNotice(const std::string& text, double filled = 0);

  TCallback<ZarvoApp> callback;
  int fontBase = 0;
  ButtonPanel panel;
  // The help box, over the screen's boxes: a panel of its own, drawn after the screen's and clicked first.
  ButtonPanel help;
  SmxModel model;
  int lastMouseX = 0;
  int lastMouseY = 0;
  int translateX = 0;
  int translateY = 0;
  int translateZ = 0;
  int rotateX = 0;
  int rotateY = 0;
  int rotateZ = 0;
  // The field of view a track opens with.
  static constexpr float startFov = 80.0f;
  float fov = startFov;
  float clipNear = 1.0f;
  float clipFar = 30000.0f;
  // A click this soon after one that changed the screen is the second of a double-click, and is dropped: it would
  // land on what the first one put there ("close" lies over the first file box). The system's, from create.
  std::chrono::milliseconds doubleClickTime{};

 private:
  std::string refusal() const;
  void addHelpBox();
  void onHelpClicked(int id, Button* button);
  // Opens a track in place of the one shown, with the camera started anew.
  void replaceTrack(const std::string& path);
  // Unloads the track and hands its memory back to the system.
  void closeTrack();

  TCallback<ZarvoApp> helpCallback;
  // Why a given path did not open, shown on the list until a track is shown.
  std::string listNotice;
  std::chrono::steady_clock::time_point screenClickedAt{};

  // The app closes only a window that its own create opened.
  bool windowOpen = false;
};


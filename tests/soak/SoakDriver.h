// Feeds the real application a long random sequence of the events its window delivers,
// and checks after each one that the screen, the title and the camera are as they must be.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Random.h"
#include "support/RecordingApp.h"

struct SoakFigures {
  long events = 0;
  std::map<std::string, long> perKind;
  long loads = 0;
  long failedLoads = 0;
  long closes = 0;
  long rebuilds = 0;
};

class SoakDriver {
 public:
  // Between events the driver also adds, damages and removes tracks in the working folder.
  SoakDriver(RecordingApp& app, std::uint64_t seed);

  // Runs `events` events; false at the first broken rule, which failure() then describes.
  bool run(long events);

  const SoakFigures& figures() const { return counts; }
  const std::string& failure() const { return broken; }

 private:
  using Event = void (SoakDriver::*)();
  // A kind of event comes in bursts, as a user sweeps the mouse, spins the wheel or holds a key:
  // the messages of a burst share their key, wheel distance or direction of travel.
  struct EventKind {
    const char* name;
    int weight;
    int longestBurst;
    Event send;
  };

  void moveMouse();
  void drag();
  void clickBox();
  void clickAnywhere();
  void pressKey();
  void releaseKey();
  void turnWheel();
  void resize();
  void changeFocus();
  void activate();
  void tick();
  void repaint();
  void changeFiles();

  void clickFileBox();
  void clickCloseBox();
  void mouseUp(int x, int y, unsigned flags);
  void resizeTo(int width, int height);
  void note(const char* format, ...);

  bool check();
  bool screenIsRight(std::string& why) const;
  bool cameraIsReset() const;

  int below(int bound) {
    return static_cast<int>(random.next() % static_cast<std::uint64_t>(bound));
  }
  bool chance(int percent) { return below(100) < percent; }
  int coordinate(int size);
  void travel();

  RecordingApp& app;
  Random random;
  std::vector<EventKind> kinds;
  int totalWeight = 0;

  // The tracks on disk when the file list was last built.
  std::vector<std::string> listed;
  const EventKind* current = nullptr;
  int burstLeft = 0;
  bool burstStarts = false;
  int pointerX = 0;
  int pointerY = 0;
  int stepX = 0;
  int stepY = 0;
  unsigned heldFlags = 0;
  unsigned heldKey = 0;
  unsigned wheelDelta = 0;
  int newTracks = 0;
  // Set by a file-box click whose outcome the next check verifies.
  bool clickedFile = false;
  bool fileOpens = false;
  std::string clickedPath;

  // The window was 0 pixels wide when the event began.
  bool minimisedWidth = false;
  std::string lastEvent;
  std::string broken;
  SoakFigures counts;
};

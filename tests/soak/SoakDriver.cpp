#include "SoakDriver.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <filesystem>

#include "BoxPositions.h"
#include "SoakTracks.h"
#include "platform/Platform.h"
#include "support/WindowTitle.h"
#include "ui/Button.h"
#include "ui/Viewport.h"
#include "view/InputCodes.h"

namespace {

// The largest size and position a window message can carry: 16 bits, zero-extended.
constexpr int maxCoordinate = 65535;

// File boxes further down than this lie below the tallest window, beyond any click.
constexpr int lowestReachableBox = (maxCoordinate - 25) / 25;

// A user keeps a few dozen tracks in view; more only lengthen every rebuild.
constexpr std::size_t mostTracks = 40;

constexpr unsigned cameraKeys[] = {keys::w,    keys::a,     keys::s,  keys::d,
                                   keys::left, keys::right, keys::up, keys::down};
constexpr unsigned wheelDistances[] = {120, 65416, 0, 240, 65296, 1, 65535};

const char* const readoutFormat =
    "translate: %i, %i, %i\n   rotate: %i, %i, %i\nfov, clip: %.0f, %.0f, %.0f";

bool onWheelLadder(int z) {
  if (z < -20000 || z > -10) return false;
  const int step = z >= -100 ? 10 : z >= -1000 ? 100 : 1000;
  return z % step == 0;
}

bool canOpen(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file) std::fclose(file);
  return file != nullptr;
}

// The error the event's frames left, if any. A minimised window is 0 pixels wide, and the overlay's
// orthographic projection over no width is refused with GL_INVALID_VALUE: nothing shows then
// anyway.
GLenum glError(bool drewMinimised) {
  const GLenum error = glGetError();
  return error == GL_INVALID_VALUE && drewMinimised ? glGetError() : error;
}

std::string readout(const ZarvoApp& app) {
  char text[256];
  std::snprintf(text, sizeof text, readoutFormat, app.translateX, app.translateY, app.translateZ,
                app.rotateX, app.rotateY, app.rotateZ, static_cast<double>(app.fov),
                static_cast<double>(app.clipNear), static_cast<double>(app.clipFar));
  return text;
}

}  // namespace

SoakDriver::SoakDriver(RecordingApp& app, std::uint64_t seed)
    : app(app), random(seed), listed(trackPaths()) {
  kinds = {
      {"mouse move", 6, 20, &SoakDriver::moveMouse},
      {"right-button drag", 5, 60, &SoakDriver::drag},
      {"click on a box", 14, 1, &SoakDriver::clickBox},
      {"click elsewhere", 6, 1, &SoakDriver::clickAnywhere},
      {"key down", 8, 40, &SoakDriver::pressKey},
      {"key up", 8, 1, &SoakDriver::releaseKey},
      {"wheel", 5, 40, &SoakDriver::turnWheel},
      {"resize", 5, 1, &SoakDriver::resize},
      {"focus change", 4, 1, &SoakDriver::changeFocus},
      {"activation", 3, 1, &SoakDriver::activate},
      {"timer", 2, 1, &SoakDriver::tick},
      {"repaint", 2, 1, &SoakDriver::repaint},
      {"track changed on disk", 3, 1, &SoakDriver::changeFiles},
  };
  for (const EventKind& kind : kinds) totalWeight += kind.weight;
}

bool SoakDriver::run(long events) {
  // NOTE: Mesa's glXUseXFont flags GL_OUT_OF_MEMORY for every glyph an X core font lacks
  // (codes 1..31, 127..159 of an ISO 8859-1 font); the lists stay empty, nothing is lost.
  while (glGetError() != GL_NO_ERROR) {
  }
  if (!check()) return false;
  for (long n = 0; n < events; ++n) {
    burstStarts = burstLeft == 0;
    if (burstStarts) {
      int pick = below(totalWeight);
      current = kinds.data();
      while (pick >= current->weight) pick -= (current++)->weight;
      burstLeft = 1 + below(current->longestBurst);
    }
    --burstLeft;
    minimisedWidth = viewportWidth == 0;
    (this->*current->send)();
    ++counts.perKind[current->name];
    ++counts.events;
    // The recording is not needed here; dropping it keeps the run's memory flat.
    app.calls.clear();
    if (!check()) {
      broken = "event " + std::to_string(n + 1) + ", " + lastEvent + ": " + broken;
      return false;
    }
  }
  return true;
}

int SoakDriver::coordinate(int size) {
  // Mostly inside the window; sometimes anywhere a 16-bit message can point.
  return chance(80) ? below(std::max(size, 1)) : below(maxCoordinate + 1);
}

// The pointer moves on in the burst's direction; a burst often starts somewhere new in the
// window, and now and then the pointer jumps anywhere a message can point.
void SoakDriver::travel() {
  if (burstStarts) {
    stepX = below(81) - 40;
    stepY = below(81) - 40;
    heldFlags = static_cast<unsigned>(below(32));
    if (chance(50)) {
      pointerX = coordinate(viewportWidth);
      pointerY = coordinate(viewportHeight);
    }
  }
  if (chance(3)) {
    pointerX = below(maxCoordinate + 1);
    pointerY = below(maxCoordinate + 1);
  } else {
    pointerX = std::clamp(pointerX + stepX + below(5) - 2, 0, maxCoordinate);
    pointerY = std::clamp(pointerY + stepY + below(5) - 2, 0, maxCoordinate);
  }
}

void SoakDriver::moveMouse() {
  travel();
  const unsigned flags = heldFlags & ~mouseFlags::right;
  note("onMouseMove(%d, %d, 0x%x)", pointerX, pointerY, flags);
  app.onMouseMove(pointerX, pointerY, flags);
}

void SoakDriver::drag() {
  travel();
  const unsigned flags = heldFlags | mouseFlags::right;
  note("onMouseMove(%d, %d, 0x%x)", pointerX, pointerY, flags);
  app.onMouseMove(pointerX, pointerY, flags);
}

void SoakDriver::clickBox() {
  // A user shows a hidden overlay before clicking on it.
  if (!app.panel.isVisible()) app.onKeyUp(keys::space);
  if (app.model.isLoaded())
    clickCloseBox();
  else if (!listed.empty())
    clickFileBox();
  else
    clickAnywhere();
}

void SoakDriver::clickFileBox() {
  const int id = 1 + below(std::min(static_cast<int>(listed.size()), lowestReachableBox));
  if (!fileBoxInReach(id)) {
    const WindowPoint size = windowHolding(id);
    resizeTo(size.x, size.y);
  }
  clickedFile = true;
  clickedPath = app.panel.get(id) ? app.panel.get(id)->getText() : "";
  fileOpens = canOpen(clickedPath);
  const WindowPoint centre = fileBoxCentre(id);
  mouseUp(centre.x, centre.y, mouseFlags::left | static_cast<unsigned>(below(32)));
  ++(fileOpens ? counts.loads : counts.failedLoads);
}

void SoakDriver::clickCloseBox() {
  if (!closeBoxInReach()) resizeTo(720, 480);
  const WindowPoint centre = closeBoxCentre();
  mouseUp(centre.x, centre.y, mouseFlags::left | static_cast<unsigned>(below(32)));
  ++counts.closes;
}

void SoakDriver::clickAnywhere() {
  static constexpr unsigned buttons[] = {mouseFlags::left, mouseFlags::right, mouseFlags::middle};
  const unsigned flags = static_cast<unsigned>(below(32)) | buttons[below(3)];
  mouseUp(coordinate(viewportWidth), coordinate(viewportHeight), flags);
}

void SoakDriver::mouseUp(int x, int y, unsigned flags) {
  note("onMouseUp(%d, %d, 0x%x)", x, y, flags);
  const unsigned long before = platform::presentedFrames();
  app.onMouseUp(x, y, flags);
  // A click draws a frame only when a box took it, and every box click rebuilds the screen.
  if (platform::presentedFrames() != before) {
    ++counts.rebuilds;
    listed = trackPaths();
  }
}

// A held key repeats: every message of the burst carries the same key.
void SoakDriver::pressKey() {
  if (burstStarts) heldKey = chance(75) ? cameraKeys[below(8)] : static_cast<unsigned>(below(256));
  note("onKeyDown(0x%x)", heldKey);
  app.onKeyDown(heldKey);
}

void SoakDriver::releaseKey() {
  const int pick = below(10);
  const unsigned key = pick < 3   ? keys::space
                       : pick < 6 ? keys::o
                                  : static_cast<unsigned>(below(256));
  note("onKeyUp(0x%x)", key);
  app.onKeyUp(key);
}

void SoakDriver::turnWheel() {
  if (burstStarts)
    wheelDelta = chance(80) ? wheelDistances[below(7)] : static_cast<unsigned>(below(65536));
  const int x = below(maxCoordinate + 1), y = below(maxCoordinate + 1);
  const unsigned keyFlags = static_cast<unsigned>(below(32));
  note("onMouseWheel(%d, %d, 0x%x, %u)", x, y, keyFlags, wheelDelta);
  app.onMouseWheel(x, y, keyFlags, wheelDelta);
}

void SoakDriver::resize() {
  switch (below(8)) {
    case 0:
      return resizeTo(0, 0);  // minimised
    case 1:
      return resizeTo(maxCoordinate, maxCoordinate);
    case 2:
      return resizeTo(1, 1);
    case 3:
      return resizeTo(1 + below(4000), 0);
    case 4:
      return resizeTo(0, 1 + below(4000));
    case 5:
      return resizeTo(720, 480);
    default:
      return resizeTo(1 + below(4000), 1 + below(4000));
  }
}

void SoakDriver::resizeTo(int width, int height) {
  note("onResize(%d, %d)", width, height);
  app.onResize(width, height);
}

void SoakDriver::changeFocus() {
  const bool focused = chance(50);
  note("onFocus(%d)", focused);
  app.onFocus(focused);
}

void SoakDriver::activate() {
  const bool active = chance(50);
  note("onActivate(%d)", active);
  app.onActivate(active);
}

void SoakDriver::tick() {
  const unsigned timer = static_cast<unsigned>(below(1000));
  note("onTimer(%u)", timer);
  app.onTimer(timer);
}

void SoakDriver::repaint() {
  note("render()");
  app.render();
}

void SoakDriver::changeFiles() {
  namespace fs = std::filesystem;
  const std::vector<std::string> entries = trackPaths(true);
  const std::string folder = chance(70) ? "smx" : "smxU";
  const auto kind = static_cast<TrackKind>(below(trackKindCount));
  const auto inFolder = [&](const std::string& path) {
    return path.compare(0, folder.size() + 1, folder + "/") == 0;
  };
  const long held = std::count_if(entries.begin(), entries.end(), inFolder);
  std::error_code ignored;
  // A folder keeps a track or two, so the list never prints its empty-folder line.
  if (held < 3 || (entries.size() < mostTracks && chance(40))) {
    const std::string path = folder + "/new-" + std::to_string(newTracks++) + ".smx";
    note("track %s written as %s", path.c_str(), trackKindName(kind));
    writeTrack(kind, path, random);
    return;
  }
  std::vector<std::string> candidates;
  std::copy_if(entries.begin(), entries.end(), std::back_inserter(candidates), inFolder);
  const std::string& path =
      candidates[static_cast<std::size_t>(below(static_cast<int>(candidates.size())))];
  switch (below(3)) {
    case 0:
      note("%s removed", path.c_str());
      fs::remove_all(path, ignored);
      break;
    case 1:
      note("%s rewritten as %s", path.c_str(), trackKindName(kind));
      fs::remove_all(path, ignored);
      writeTrack(kind, path, random);
      break;
    default:
      note("%s replaced by a folder", path.c_str());
      fs::remove_all(path, ignored);
      fs::create_directory(path, ignored);
      break;
  }
}

void SoakDriver::note(const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  lastEvent = text;
}

bool SoakDriver::cameraIsReset() const {
  return app.translateX == 0 && app.translateY == 0 && app.translateZ == -10000 &&
         app.rotateX == 0 && app.rotateY == 0 && app.rotateZ == 0 && app.fov == 80.0f;
}

bool SoakDriver::screenIsRight(std::string& why) const {
  const ButtonPanel& panel = app.panel;
  if (app.model.isLoaded()) {
    const Button* close = panel.get(ZarvoApp::closeBoxId);
    const Button* info = panel.get(ZarvoApp::infoBoxId);
    if (!close || std::string(close->getText()) != "close" || !close->isClickable())
      why = "no close box";
    else if (!info || info->isClickable())
      why = "no info box";
    else if (panel.get(1) || panel.get(-2))
      why = "a stray box on the mesh screen";
    else if (info->getText() != readout(app))
      why = "stale read-out: " + std::string(info->getText());
    return why.empty();
  }
  if (panel.get(ZarvoApp::closeBoxId) || panel.get(ZarvoApp::infoBoxId)) {
    why = "a mesh-screen box on the file list";
    return false;
  }
  std::vector<std::string> shown;
  for (int id = 1; const Button* box = panel.get(id); ++id) shown.push_back(box->getText());
  std::sort(shown.begin(), shown.end());
  if (panel.get(static_cast<int>(shown.size()) + 2))
    why = "a gap in the file ids";
  else if (shown != listed)
    why = "the list shows " + std::to_string(shown.size()) + " files, the folders held " +
          std::to_string(listed.size());
  return why.empty();
}

bool SoakDriver::check() {
  const bool loaded = app.model.isLoaded();
  std::string why;
  if (const GLenum error = glError(minimisedWidth || viewportWidth == 0); error != GL_NO_ERROR)
    why = "GL error " + std::to_string(error);
  else if (app.rotateX < 0 || app.rotateX > 180)
    why = "rotateX " + std::to_string(app.rotateX);
  else if (app.rotateZ < -359 || app.rotateZ > 359)
    why = "rotateZ " + std::to_string(app.rotateZ);
  else if (loaded && !onWheelLadder(app.translateZ))
    why = "translateZ " + std::to_string(app.translateZ);
  else if (viewportHeight < 1)
    why = "viewport height " + std::to_string(viewportHeight);
  else if (clickedFile && !cameraIsReset())
    why = "the camera was not reset by a file click";
  else if (clickedFile && loaded != fileOpens)
    why = clickedPath + (loaded ? " loaded though it cannot be opened" : " did not load");
  else if (clickedFile && loaded && app.model.path() != clickedPath)
    why = "loaded " + app.model.path() + ", clicked " + clickedPath;
  else if (!screenIsRight(why)) {
  } else if (const std::string title = windowTitle();
             title != (loaded ? "Zarvo - " + app.model.path() : "Zarvo"))
    why = "title " + title;
  clickedFile = false;
  broken = why;
  return why.empty();
}

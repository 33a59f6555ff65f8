// viewshots: the pictures of a few fixed views of a track, to compare two builds pixel for pixel. Opens
// TRACK, hides the overlay, draws each view in a 720 x 480 window and writes the frame as read back from
// the back buffer (RGBA bytes, the bottom row first) to FOLDER/NAME.rgba, one file a view. Needs a
// display; builds for both platforms.
// Usage: viewshots TRACK FOLDER     e.g. viewshots smxU/endurance-1m.smx native
#include <GL/gl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/ZarvoApp.h"
#include "ui/Viewport.h"

namespace {

// Translations in view units, the height as translateZ; tilts and turns in degrees. The tilted views
// look over the track toward the far plane, where canopy and ground lie closest in depth.
struct View {
  const char* name;
  int x, y, z, tilt, turn;
};
constexpr View views[] = {
    {"start", 0, 0, -10000, 0, 0},
    {"height-3000-tilt-60", 0, 3000, -3000, 60, 0},
    {"height-3000-tilt-85", 0, 5000, -3000, 85, 0},
    {"height-1000-tilt-75", 2000, 0, -1000, 75, 90},
    {"height-1000-tilt-85", -3000, 2000, -1000, 85, 200},
    {"height-300-tilt-70", 4000, -2000, -300, 70, 300},
    {"height-300-tilt-85", 0, 4000, -300, 85, 30},
    {"low", 5600, 0, -15, 80, 0},
};

bool writePicture(const std::string& file) {
  std::vector<unsigned char> pixels(std::size_t(viewportWidth) * viewportHeight * 4);
  glReadBuffer(GL_BACK);  // the frame just drawn; the front buffer does not read back on Xvfb
  glReadPixels(0, 0, viewportWidth, viewportHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  std::FILE* out = std::fopen(file.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
  return std::fclose(out) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: viewshots TRACK FOLDER   (writes FOLDER/NAME.rgba for each view)\n");
    return 2;
  }
  const std::string track = argv[1], folder = argv[2];
  ZarvoApp app;
  theApp = &app;
  if (!app.create("Zarvo", "Zarvo", 720, 480, 16)) return 1;
  app.openGivenPath(track);
  if (!app.model.isLoaded()) {
    std::fprintf(stderr, "viewshots: cannot open %s\n", track.c_str());
    return 1;
  }
  app.panel.setVisible(false);
  app.help.setVisible(false);
  for (const View& view : views) {
    app.translateX = view.x, app.translateY = view.y, app.translateZ = view.z;
    app.rotateX = view.tilt, app.rotateY = 0, app.rotateZ = view.turn;
    app.render();
    const std::string file = folder + "/" + view.name + ".rgba";
    if (!writePicture(file)) {
      std::fprintf(stderr, "viewshots: cannot write %s\n", file.c_str());
      return 1;
    }
  }
  return 0;
}

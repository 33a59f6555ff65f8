// smxbench: how long tracks of 100k, 1M and 4M triangles take to read, parse, compile
// and draw, and how much memory the load needs. Needs a display (a real window).
// Usage: smxbench [TRIANGLES...]
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Circuit.h"
#include "ProcessMemory.h"
#include "mesh/SmxFormat.h"
#include "mesh/SmxModel.h"
#include "mesh/SmxReader.h"
#include "platform/Platform.h"
#include "view/FixedGlState.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int repeats = 3;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

template <class Work>
double bestOf(Work work) {
  double best = 1e300;
  for (int i = 0; i < repeats; ++i) {
    const auto start = Clock::now();
    work();
    best = std::min(best, millisecondsSince(start));
  }
  return best;
}

void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

double readBytes(const std::string& path) {
  std::vector<unsigned char> chunk(1 << 20);
  std::FILE* file = std::fopen(path.c_str(), "rb");
  unsigned sum = 0;
  while (const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file)) sum += chunk[got - 1];
  std::fclose(file);
  return sum;
}

// Every corner the viewer would emit, without GL; returns the largest point block in bytes.
std::int64_t parseOnly(const std::string& path, std::int64_t& checksum) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  SmxReader reader(file, SmxReader::sizeOf(file));
  unsigned char header[smx::fileHeaderSize];
  std::int64_t largest = 0;
  if (reader.readHeader(header)) {
    while (reader.nextObject()) {
      largest = std::max(largest, reader.pointsHeld() * smx::pointSize);
      while (reader.nextTriangle())
        for (int k = 0; k < 3; ++k) checksum += smx::getInt32(reader.corner(k)) + reader.corner(k)[smx::pointRedAt];
    }
  }
  std::fclose(file);
  return largest;
}

// The frame as the viewer draws it right after a load.
double drawFrame(const SmxModel& model) {
  const auto start = Clock::now();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(80.0, 1.5, 1.0, 30000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glPushMatrix();
  glTranslatef(0, 0, -10000);
  glScalef(0.0001f, 0.0001f, 0.0001f);
  model.draw();
  glPopMatrix();
  glFinish();
  return millisecondsSince(start);
}

void setViewerState() {
  glViewport(0, 0, 720, 480);
  setFixedGlState(0);
}

bool benchmark(std::int64_t triangles, const std::filesystem::path& folder) {
  const std::string path = (folder / ("track-" + std::to_string(triangles) + ".smx")).string();
  std::string error;
  if (!std::filesystem::exists(path) && !writeCircuit(path, triangles, 1, error)) {
    std::fprintf(stderr, "smxbench: %s\n", error.c_str());
    return false;
  }
  const double fileMiB = std::filesystem::file_size(path) / 1048576.0;
  const double readMs = bestOf([&] { readBytes(path); });
  std::int64_t checksum = 0, readerBytes = 0;
  const double parseMs = bestOf([&] { readerBytes = parseOnly(path, checksum); });

  double loadMs = 1e300, frameMs = 1e300, peak = 0, secondFrameMs = 1e300, before = 0;
  for (int i = 0; i < repeats; ++i) {
    SmxModel model;
    model.suitRenderer(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    resetPeak();
    if (i == 0) before = residentMiB("VmRSS:");
    auto start = Clock::now();
    model.load(path);
    glFinish();
    loadMs = std::min(loadMs, millisecondsSince(start));
    frameMs = std::min(frameMs, drawFrame(model));
    peak = std::max(peak, residentMiB("VmHWM:"));
    secondFrameMs = std::min(secondFrameMs, drawFrame(model));
    platform::swapBuffers();
    model.unload();
    glFinish();
  }
  std::printf("%10lld %8.1f %8.1f %9.1f %9.1f %9.1f %9.1f %9.1f %9.1f %11.0f\n", static_cast<long long>(triangles),
              fileMiB, readMs, parseMs, loadMs, frameMs, secondFrameMs, before, peak, readerBytes / 1024.0);
  return checksum != 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::int64_t> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoll(argv[i]));
  if (sizes.empty()) sizes = {100000, 1000000, 4000000};

  if (!platform::openWindow("ZarvoBench", "smxbench", 720, 480, 16)) return 1;
  platform::showWindow();
  setViewerState();
  std::printf("GL: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  const auto folder = std::filesystem::temp_directory_path() / "zarvo-bench";
  std::filesystem::create_directories(folder);

  std::printf("best of %d runs; times in ms; resident memory of the process before the first load (base)\n"
              "and at its peak during a load and its first frame; reader: its largest point buffer\n", repeats);
  std::printf("%10s %8s %8s %9s %9s %9s %9s %9s %9s %11s\n", "triangles", "file MiB", "read", "parse", "load",
              "frame 1", "frame 2", "base MiB", "peak MiB", "reader KiB");
  bool ok = true;
  for (const std::int64_t triangles : sizes) ok &= benchmark(triangles, folder);
  platform::closeWindow();
  return ok ? 0 : 1;
}

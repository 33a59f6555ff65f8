// zarvosoak: drives the real viewer, in its real window, through a long random run of
// input and track files, checking after every event that nothing is out of place.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "SoakDriver.h"
#include "SoakTracks.h"
#include "support/RunningApp.h"

namespace {

struct Options {
  long events = 100000;
  std::uint64_t seed = 1;
  std::string tracks;
};

void printUsage() {
  std::fprintf(
      stderr,
      "usage: zarvosoak [--events N] [--seed S] [--tracks DIR]\n"
      "  --events N    events to send (default 100000)\n"
      "  --seed S      the random run (default 1)\n"
      "  --tracks DIR  play with copies of DIR/smx and DIR/smxU instead of generated tracks\n");
}

bool parse(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    char* end = nullptr;
    if (!std::strcmp(argv[i], "--events")) {
      options.events = std::strtol(argv[i + 1], &end, 10);
      if (*end || options.events < 0) return false;
    } else if (!std::strcmp(argv[i], "--seed")) {
      options.seed = std::strtoull(argv[i + 1], &end, 10);
      if (*end) return false;
    } else if (!std::strcmp(argv[i], "--tracks")) {
      options.tracks = std::filesystem::absolute(argv[i + 1]).string();
    } else {
      return false;
    }
  }
  return argc % 2 == 1;
}

// Copies, so that the run may change and remove tracks without touching the user's own.
void copyTracks(const std::filesystem::path& from) {
  for (const char* folder : {"smx", "smxU"}) {
    std::error_code missing;
    std::filesystem::copy(from / folder, folder, std::filesystem::copy_options::recursive, missing);
  }
}

void printFigures(const SoakFigures& figures, double seconds) {
  std::printf("events survived: %ld in %.1f s (%.0f events/s)\n", figures.events, seconds,
              seconds > 0 ? figures.events / seconds : 0.0);
  for (const auto& [kind, count] : figures.perKind)
    std::printf("  %-22s %ld\n", kind.c_str(), count);
  std::printf(
      "  loads %ld, clicks on files that could not be opened %ld, closes %ld, screen rebuilds "
      "%ld\n",
      figures.loads, figures.failedLoads, figures.closes, figures.rebuilds);
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parse(argc, argv, options)) {
    printUsage();
    return 2;
  }
  Random tracks(options.seed);
  RunningApp running([&] {
    if (options.tracks.empty())
      fillTrackFolders(tracks);
    else
      copyTracks(options.tracks);
  });
  if (!running.created) {
    std::fprintf(stderr, "zarvosoak: the window could not be opened\n");
    return 3;
  }
  std::printf("zarvosoak: seed %llu, %ld events\n", static_cast<unsigned long long>(options.seed),
              options.events);
  SoakDriver driver(running.app, options.seed);
  const auto start = std::chrono::steady_clock::now();
  const bool survived = driver.run(options.events);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  printFigures(driver.figures(), elapsed.count());
  if (!survived) {
    std::printf("FAILED at %s\n", driver.failure().c_str());
    return 1;
  }
  return 0;
}

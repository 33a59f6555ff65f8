// smxgen: writes a racing circuit as an SMX file, the same bytes for the same options.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Circuit.h"

namespace {

// The synopsis and the limits are also the manual page's: packaging/smxgen.1.
void printUsage(std::FILE* out) {
  std::fprintf(out,
               "usage: smxgen [--triangles N] [--seed S] --output FILE.smx\n"
               "       smxgen --help\n"
               "  --triangles N           exact number of triangles, %lld to %lld (default 100000)\n"
               "  --seed S                layout of the circuit, 0 to %llu (default 1)\n"
               "  --output FILE, -o FILE  the file to write\n"
               "  --help                  print this and exit\n",
               static_cast<long long>(minCircuitTriangles), static_cast<long long>(maxCircuitTriangles), ULLONG_MAX);
}

// Reads an option's value; says which option and value it refuses.
bool parseNumber(const char* option, const char* text, unsigned long long low, unsigned long long high,
                 unsigned long long& value) {
  char* end = nullptr;
  errno = 0;
  value = std::strtoull(text, &end, 10);
  if (*text >= '0' && *text <= '9' && *end == '\0' && errno == 0 && value >= low && value <= high) return true;
  std::fprintf(stderr, "smxgen: %s %s: must be a whole number from %llu to %llu\n", option, text, low, high);
  return false;
}

bool parseOption(const std::string& option, const char* value, unsigned long long& triangles,
                 unsigned long long& seed, std::string& output) {
  if (option != "--triangles" && option != "--seed" && option != "--output" && option != "-o") {
    std::fprintf(stderr, "smxgen: unknown option %s\n", option.c_str());
    return false;
  }
  if (!value) {
    std::fprintf(stderr, "smxgen: %s needs a value\n", option.c_str());
    return false;
  }
  if (option == "--triangles")
    return parseNumber("--triangles", value, minCircuitTriangles, maxCircuitTriangles, triangles);
  if (option == "--seed") return parseNumber("--seed", value, 0, ULLONG_MAX, seed);
  output = value;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  unsigned long long triangles = 100000, seed = 1;
  std::string output;
  if (argc == 2 && !std::strcmp(argv[1], "--help")) {
    printUsage(stdout);
    return 0;
  }
  for (int i = 1; i < argc; i += 2) {
    if (!parseOption(argv[i], i + 1 < argc ? argv[i + 1] : nullptr, triangles, seed, output)) {
      printUsage(stderr);
      return 2;
    }
  }
  if (output.empty()) {
    std::fputs("smxgen: no --output file\n", stderr);
    printUsage(stderr);
    return 2;
  }
  std::string error;
  if (!writeCircuit(output, static_cast<std::int64_t>(triangles), seed, error)) {
    std::fprintf(stderr, "smxgen: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

// smxgen: writes a racing circuit as an SMX file, the same bytes for the same options.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Circuit.h"

namespace {

// The synopsis is also the manual page's: packaging/smxgen.1.
void printUsage(std::FILE* out) {
  std::fprintf(out,
               "usage: smxgen [--triangles N] [--seed S] --output FILE.smx\n"
               "       smxgen --help\n"
               "  --triangles N  exact number of triangles (default 100000, at least %lld)\n"
               "  --seed S       layout of the circuit (default 1)\n",
               static_cast<long long>(minCircuitTriangles));
}

bool parseNumber(const char* text, unsigned long long& value) {
  char* end = nullptr;
  value = std::strtoull(text, &end, 10);
  return *text >= '0' && *text <= '9' && *end == '\0';
}

}  // namespace

int main(int argc, char** argv) {
  unsigned long long triangles = 100000, seed = 1;
  std::string output;
  if (argc == 2 && !std::strcmp(argv[1], "--help")) {
    printUsage(stdout);
    return 0;
  }
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (hasValue && !std::strcmp(argv[i], "--triangles") && parseNumber(argv[i + 1], triangles)) {
      ++i;
    } else if (hasValue && !std::strcmp(argv[i], "--seed") && parseNumber(argv[i + 1], seed)) {
      ++i;
    } else if (hasValue && (!std::strcmp(argv[i], "--output") || !std::strcmp(argv[i], "-o"))) {
      output = argv[++i];
    } else {
      printUsage(stderr);
      return 2;
    }
  }
  if (output.empty()) {
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

// Peak memory on Linux: the resident high-water mark.
#include <cstdlib>
#include <fstream>
#include <string>

#include "PeakMemory.h"

double peakMemoryMiB() {
  std::ifstream status("/proc/self/status");
  const std::string field = "VmHWM:";
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field, 0) == 0) return std::atof(line.c_str() + field.size()) / 1024;
  return 0;
}

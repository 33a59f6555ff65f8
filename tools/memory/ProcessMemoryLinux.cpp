// Process memory on Linux, read from /proc.
#include <cstdlib>
#include <fstream>

#include "ProcessMemory.h"

double residentMiB(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field, 0) == 0) return std::atof(line.c_str() + field.size()) / 1024;
  return 0;
}

double peakMemoryMiB() { return residentMiB("VmHWM:"); }

double addressSpaceMiB() { return residentMiB("VmSize:"); }

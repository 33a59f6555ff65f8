// Resident memory from Linux's /proc: the second field of statm, in pages.
#include "support/Footprint.h"

#include <unistd.h>

#include <fstream>

std::int64_t residentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::int64_t size = 0, resident = 0;
  if (!(statm >> size >> resident)) return -1;
  return resident * sysconf(_SC_PAGESIZE);
}

// Resident memory as the working set that GetProcessMemoryInfo reports.
#include "support/Footprint.h"

#include <windows.h>

// psapi.h builds on the types of windows.h.
#include <psapi.h>

std::int64_t residentBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
  return static_cast<std::int64_t>(counters.WorkingSetSize);
}

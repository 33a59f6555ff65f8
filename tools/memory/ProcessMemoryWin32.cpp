// Process memory on Windows: the peak working set.
#include <windows.h>
#include <psapi.h>

#include "ProcessMemory.h"

double peakMemoryMiB() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return static_cast<double>(counters.PeakWorkingSetSize) / 1048576.0;
}

double addressSpaceMiB() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return 0;
  return static_cast<double>(status.ullTotalVirtual - status.ullAvailVirtual) / 1048576.0;
}

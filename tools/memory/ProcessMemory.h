// How much memory the benchmark's own process holds, as the system counts it.
#pragma once

#include <string>

// The most memory this process has held at once, in MiB.
double peakMemoryMiB();
// The address space this process has taken, in MiB: what a 32-bit program runs out of first.
double addressSpaceMiB();

#ifndef _WIN32
// A figure of /proc/self/status in MiB: "VmRSS:" now, "VmHWM:" the peak since the last reset.
double residentMiB(const std::string& field);
#endif

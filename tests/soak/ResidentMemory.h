// The memory the process holds in RAM, as the operating system counts it.
#pragma once

#include <cstdint>

// Bytes, or -1 when the system does not tell.
std::int64_t residentBytes();

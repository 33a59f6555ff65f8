// Whether a block of address space can still be had, found without taking any memory.
#include <sys/mman.h>

#include "platform/Platform.h"

bool platform::canReserve(std::size_t bytes) {
  void* block = mmap(nullptr, bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (block == MAP_FAILED) return false;
  munmap(block, bytes);
  return true;
}

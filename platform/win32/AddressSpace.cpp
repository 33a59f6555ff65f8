// Whether a block of address space can still be had, found without taking any memory.
#include <windows.h>

#include "platform/Platform.h"

bool platform::canReserve(std::size_t bytes) {
  void* block = VirtualAlloc(nullptr, bytes, MEM_RESERVE, PAGE_NOACCESS);
  if (!block) return false;
  VirtualFree(block, 0, MEM_RELEASE);
  return true;
}

#include "render/SoftwareRenderer.h"

#include <cstring>
#include <initializer_list>

bool isSoftwareRenderer(const char* renderer) {
  if (!renderer) return false;
  // Mesa's rasterisers, and the one Windows falls back on without a driver.
  for (const char* name : {"llvmpipe", "softpipe", "Software Rasterizer", "GDI Generic"})
    if (std::strstr(renderer, name)) return true;
  return false;
}

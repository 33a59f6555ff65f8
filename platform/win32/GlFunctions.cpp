// OpenGL functions past 1.1, from the current WGL context.
#include <windows.h>

#include <cstdint>

#include "platform/Platform.h"

namespace platform {

GlFunction glFunction(const char* name) {
  const PROC function = wglGetProcAddress(name);
  // Some drivers answer 1, 2, 3 or -1 for a function they lack.
  const std::intptr_t value = reinterpret_cast<std::intptr_t>(function);
  if (value >= -1 && value <= 3) return nullptr;
  return reinterpret_cast<GlFunction>(function);
}

}  // namespace platform

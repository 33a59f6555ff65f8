// OpenGL functions past 1.1, from GLX.
#include <GL/glx.h>

#include "platform/Platform.h"

namespace platform {

GlFunction glFunction(const char* name) {
  return glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name));
}

}  // namespace platform

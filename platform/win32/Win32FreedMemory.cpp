// Freed memory on Windows: nothing to tune.
#include "platform/Platform.h"

// NOTE: the renderer (the driver's, or Wine's Mesa) allocates from a heap of its own, out of the
// program's reach.
void platform::keepFreedMemory() {}
void platform::releaseFreedMemory() {}

// Freed memory on Windows: nothing to tune.
#include "platform/Platform.h"

// NOTE: the renderer (the driver's, or Wine's) allocates through an allocator of its own, out of
// the program's reach.
void platform::keepFreedMemory() {}
void platform::releaseFreedMemory() {}

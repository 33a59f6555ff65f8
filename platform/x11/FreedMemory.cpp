// How much freed memory glibc's allocator keeps for the next frame, and handing it back.
#include "platform/Platform.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace platform {

#ifdef __GLIBC__

namespace {

// NOTE: the renderer (Mesa's llvmpipe) allocates some 70 MB a frame on a 1M-triangle track in
// blocks below the mmap threshold. By default glibc trims the heap after every frame, so each
// frame faults the memory in again and takes five times as long; this bound covers a big track.
constexpr int kKeptFreedBytes = 1 << 30;

}  // namespace

void keepFreedMemory() { mallopt(M_TRIM_THRESHOLD, kKeptFreedBytes); }

void releaseFreedMemory() { malloc_trim(0); }

#else

void keepFreedMemory() {}
void releaseFreedMemory() {}

#endif

}  // namespace platform

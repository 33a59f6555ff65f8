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
constexpr int keptFreedBytes = 1 << 30;
// NOTE: a set trim threshold stops glibc from raising its mmap threshold as it goes, and a load
// whose list blocks are each mapped afresh takes a sixth longer; blocks below glibc's largest
// threshold come from the heap, as they would once it had adapted.
constexpr int largestHeapBlock = 4 * 1024 * 1024 * sizeof(long);

}  // namespace

void keepFreedMemory() {
  mallopt(M_TRIM_THRESHOLD, keptFreedBytes);
  mallopt(M_MMAP_THRESHOLD, largestHeapBlock);
}

void releaseFreedMemory() { malloc_trim(0); }

#else

void keepFreedMemory() {}
void releaseFreedMemory() {}

#endif

}  // namespace platform

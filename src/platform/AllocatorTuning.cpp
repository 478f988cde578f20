#include "platform/AllocatorTuning.h"

#include <cstdlib> // defines __GLIBC__ where it applies

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

void tuneAllocatorForBatchWork()
{
#if defined(__GLIBC__)
    // Buffers up to 32 MiB come from the heap, and up to 256 MiB of free heap is kept.
    constexpr int kMmapThreshold = 32 * 1024 * 1024;
    constexpr int kTrimThreshold = 256 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, kMmapThreshold);
    mallopt(M_TRIM_THRESHOLD, kTrimThreshold);
#endif
}

} // namespace platform

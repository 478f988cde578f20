#pragma once

namespace platform {

// Tells the C allocator to keep freed memory for reuse instead of handing it back to the
// system at once. Building resources decodes thousands of pictures on worker threads, each
// needing a few hundred kilobytes for a moment; by default every free shrinks the worker's
// heap and the next picture grows it again, which costs as much as the packing itself.
// Programs call it once at start-up; it is a no-op where the allocator has no such knobs.
void tuneAllocatorForBatchWork();

} // namespace platform

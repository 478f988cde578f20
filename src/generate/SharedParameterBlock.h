#pragma once

#include "platform/SharedMemory.h"

#include <cstdint>
#include <cstddef>

namespace generate {

// The shared parameter block "ZORVANE_DLL_JPG" that the packing component looks for during a
// build started from the build options dialog: 32 bytes, zeroed, with two marker words at
// bytes 0 and 4 (little-endian u32). It exists for the lifetime of this object; when it
// cannot be made the build runs without it.
class SharedParameterBlock
{
public:
    static constexpr const char* kName = "ZORVANE_DLL_JPG";
    static constexpr std::size_t kSize = 32;
    // The marker words: "JPGP" and the block's layout version.
    static constexpr std::uint32_t kMarker = 0x5047504a;
    static constexpr std::uint32_t kVersion = 1;

    SharedParameterBlock();
    SharedParameterBlock(const SharedParameterBlock&) = delete;
    SharedParameterBlock& operator=(const SharedParameterBlock&) = delete;

    // True when the block is published.
    bool isPublished() const { return m_memory.isValid(); }

private:
    platform::SharedMemory m_memory;
};

// Runs `build` (a dialog build) with the shared parameter block published, and removes the
// block afterwards, also when `build` throws. Returns what `build` returns.
template <typename Build>
auto runWithSharedParameterBlock(Build&& build) -> decltype(build())
{
    const SharedParameterBlock block;
    return build();
}

} // namespace generate

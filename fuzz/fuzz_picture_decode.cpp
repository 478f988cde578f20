// Picture files are the users' own: whatever their bytes, the check in front of the decoder
// and the decoder behind it may refuse them but never crash, hang or read out of bounds.

#include "components/visual/CxImage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CxImage image;
    if (image.Decode(data, size, 0) &&
        (image.GetWidth() <= 0 || image.GetHeight() <= 0 || image.GetBits() == nullptr)) {
        std::abort();
    }
    return 0;
}

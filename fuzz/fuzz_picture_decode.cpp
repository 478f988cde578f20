// Picture files are the users' own: whatever their bytes, the check in front of the decoder,
// the decoder behind it and the PNG chunk walk beside it may refuse them but never crash, hang
// or read out of bounds, and a refusal always says why.

#include "components/imaging/PngChunks.h"
#include "components/visual/CxImage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CxImage image;
    const bool decoded = image.Decode(data, size, 0);
    if (decoded &&
        (image.GetWidth() <= 0 || image.GetHeight() <= 0 || image.GetBits() == nullptr)) {
        std::abort();
    }
    if (!decoded && image.GetLastError().empty()) {
        std::abort();
    }
    imaging::PngChunks::structureProblem(data, size);
    imaging::PngChunks::crcProblem(data, size);
    return 0;
}

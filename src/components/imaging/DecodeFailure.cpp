#include "components/imaging/DecodeFailure.h"

#include "components/imaging/PngChunks.h"

#include <stb/stb_image.h>

namespace imaging {

std::string decodeFailureReason(const std::uint8_t* data, std::size_t size)
{
    // The decoder tries every format it knows on data it cannot read, and so names a PNG cut
    // inside its header an "unknown image type".
    std::string reason = PngChunks::structureProblem(data, size);
    if (!reason.empty()) {
        return reason;
    }
    const char* decoder = stbi_failure_reason();
    reason = decoder != nullptr && *decoder != '\0' ? decoder : "damaged picture data";
    const std::string crc = PngChunks::crcProblem(data, size);
    return crc.empty() ? reason : reason + "; " + crc;
}

} // namespace imaging

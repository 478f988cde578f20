// Our PNG reader against stb_image on the same bytes, whatever they are: it may decline them
// (stb_image then reads them as before) or refuse them with a reason, but whatever it decodes
// must come out pixel for pixel as stb_image decodes it, and it never crashes, hangs or reads
// out of bounds.

#include "components/imaging/PngReader.h"

#include <stb/stb_image.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static imaging::PngReader reader; // kept from input to input, as a worker keeps it
    // Small limits keep each input quick; the reader declines what is larger.
    const imaging::PngReader::Outcome outcome = reader.decode(data, size, 4096, 1u << 20);
    if (outcome == imaging::PngReader::Outcome::Refused && reader.error().empty()) {
        std::abort();
    }
    if (outcome != imaging::PngReader::Outcome::Decoded) {
        return 0;
    }
    int w = 0;
    int h = 0;
    int n = 0;
    stbi_uc* expected = stbi_load_from_memory(data, static_cast<int>(size), &w, &h, &n, 4);
    if (expected == nullptr || std::size_t(w) != reader.width() ||
        std::size_t(h) != reader.height() ||
        std::memcmp(expected, reader.pixels(), std::size_t(w) * h * 4) != 0) {
        std::abort();
    }
    stbi_image_free(expected);
    reader.trim();
    return 0;
}

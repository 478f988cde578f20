// Picture resource files and string files are read back for splitting and by
// the command-line dump: neither reader may crash, hang or leak on any input.

#include "components/packing/ResFileReader.h"
#include "components/packing/StrFileReader.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    packing::ResFileReader reader;
    if (reader.parse(std::vector<std::uint8_t>(data, data + size))) {
        for (std::size_t i = 0; i < reader.entries().size(); ++i) {
            packing::RgbaImage image;
            reader.decodeRgba(i, image);
        }
    }
    packing::StrFileReader strings;
    strings.parse(data, size);
    return 0;
}

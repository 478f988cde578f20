// Style files as sty_conv reads them: the reader must reject damage without reading outside
// the buffer, and what it accepts must lay out to the same number of bytes again.

#include "generate/StyleFileCheck.h"
#include "generate/StyleFileReader.h"
#include "generate/StyleFileWriter.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    generate::StyleFileReader reader;
    const auto content = reader.read(bytes);
    if (!content) {
        return 0;
    }
    const auto again = generate::StyleFileWriter::encode(*content);
    if (!again || again->size() != size) {
        __builtin_trap();
    }
    generate::undefinedNameHashes(*content, bytes);
    return 0;
}

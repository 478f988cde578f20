// Reads arbitrary bytes as RTF. The text cut to the panels' buffer must be a terminated prefix
// of the whole text, text that does not begin as RTF must give nothing, and when the input
// is read as UTF-16 instead, the builder's document of it must read back to the same units.

#include "strings/RtfBuilder.h"
#include "strings/RtfReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view rtf(reinterpret_cast<const char*>(data), size);

    std::array<char16_t, RtfReader::kBufferSize> buffer;
    buffer.fill(u'#');
    const std::size_t count = RtfReader::read(rtf, buffer.data(), buffer.size());
    const auto whole = RtfReader::read(rtf);
    check(whole.has_value() == RtfReader::isRtf(rtf));
    if (!whole) {
        check(count == 0 && std::all_of(buffer.begin(), buffer.end(),
                                        [](char16_t unit) { return unit == u'#'; }));
    } else {
        check(count >= 1 && count <= buffer.size() && buffer[count - 1] == 0);
        const std::u16string_view cut(buffer.data(), count - 1);
        check(whole->compare(0, cut.size(), cut) == 0);
        check(count == whole->size() + 1 || cut.size() >= buffer.size() - 2);
    }

    std::u16string units(size / 2, 0);
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    check(RtfReader::read(RtfBuilder::build(units)) == units);
    return 0;
}

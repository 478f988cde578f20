// Previous style headers, whose define lines are read back when the header is rewritten.

#include "generate/StyleHeader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> names;
    for (generate::DefineLine& define : generate::parseDefines(text)) {
        if (define.name.empty() || define.value.empty()) {
            __builtin_trap();
        }
        names.push_back(std::move(define.name));
    }
    // Names read back from a written header come back unchanged (their hashes may differ:
    // they are of the original names).
    const auto macrosOf = [](const std::string& header) {
        std::vector<std::string> macros;
        for (generate::DefineLine& define : generate::parseDefines(header)) {
            macros.push_back(std::move(define.name));
        }
        return macros;
    };
    const std::vector<std::string> written =
        macrosOf(generate::styleHeaderText("fuzz_sty.h", names));
    if (macrosOf(generate::styleHeaderText("fuzz_sty.h", written)) != written) {
        __builtin_trap();
    }
    return 0;
}

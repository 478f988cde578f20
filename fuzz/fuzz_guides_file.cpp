// Reads arbitrary bytes as a project's guides file: it is taken or refused, never half taken,
// and what is taken prints and reads back the same.

#include "editing/GuidesFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const editing::GuidesFile::Reading reading = editing::GuidesFile::Parse(text);
    if (!reading.problem.empty() && !reading.scenes.empty()) {
        std::abort();
    }
    if (reading.problem.empty()) {
        const editing::GuidesFile::Reading again =
            editing::GuidesFile::Parse(editing::GuidesFile::Print(reading.scenes));
        if (!again.problem.empty() || again.scenes.size() != reading.scenes.size()) {
            std::abort();
        }
    }
    return 0;
}

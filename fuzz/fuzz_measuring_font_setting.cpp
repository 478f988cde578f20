// Reads arbitrary bytes as a project's text check settings: taken or refused, and what is taken
// prints and reads back the same.

#include "textcheck/MeasuringFontSetting.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using textcheck::MeasuringFontSetting;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const MeasuringFontSetting::Reading reading = MeasuringFontSetting::Parse(text, "/project");
    if (!reading.problem.empty() && !reading.font.empty()) {
        std::abort();
    }
    if (reading.problem.empty() && !reading.font.empty()) {
        const MeasuringFontSetting::Reading again = MeasuringFontSetting::Parse(
            MeasuringFontSetting::Print(reading.font, "/project"), "/project");
        if (!again.problem.empty() || again.font != reading.font) {
            std::abort();
        }
    }
    return 0;
}

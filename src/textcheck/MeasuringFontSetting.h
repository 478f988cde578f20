#pragma once

#include <string>
#include <string_view>

namespace textcheck {

// The project's own measuring font (the device's font, where the firmware team has one), kept
// in a small JSON file beside the project ("NAME.ui.textcheck"), so that the project file's
// bytes never change for it:
//   {"version": 1, "font": "fonts/device.ttf"}
// A font in the project's folder or below is stored relative to it, so the folder can move.
class MeasuringFontSetting
{
public:
    struct Reading
    {
        // The font file, absolute; empty for the installed fonts.
        std::string font;
        // Why the file was not taken (damaged, unreadable); empty when it was, or is missing.
        std::string problem;
    };

    static std::string PathFor(const std::string& projectPath);

    // The setting of the project at `projectPath`; a missing file reads as no font.
    static Reading Read(const std::string& projectPath);
    // Keeps `font` (absolute; empty: back to the installed fonts, the file is removed) as the
    // setting of the project at `projectPath`. Returns an error message, empty on success.
    static std::string Write(const std::string& projectPath, const std::string& font);

    // The file's text and back; `projectDirectory` resolves a relative font path.
    static Reading Parse(std::string_view text, const std::string& projectDirectory);
    static std::string Print(const std::string& font, const std::string& projectDirectory);
};

} // namespace textcheck

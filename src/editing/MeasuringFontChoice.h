#pragma once

#include <string>

namespace editing {

class Workspace;

// The text check panel's choice of measuring font for the current project: a font file of the
// user's (the device's own) kept beside the project, or the installed fonts.
class MeasuringFontChoice
{
public:
    // The current project's measuring font (absolute; empty for the installed fonts). A damaged
    // settings file reads as the installed fonts, with its problem in `problem`.
    static std::string Current(const Workspace& ws, std::string* problem = nullptr);
    // Asks for a font file (through the interaction seam) and keeps it. A font that cannot be
    // opened, or a project never saved, is refused with a message. True when the font changed.
    static bool Choose(Workspace& ws);
    // Goes back to the installed fonts. True when the font changed.
    static bool UseInstalled(Workspace& ws);
    // What the panel shows: the font's file name, or "已安装的字体".
    static std::string Describe(const std::string& font);
};

} // namespace editing

#pragma once

#include <hb.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace textcheck {

// The fonts that measure texts, and which of them measures which script. With a font of the
// user's (the device's own, where there is one) every script is measured with it; otherwise
// each script gets the installed font that covers it: Noto Sans for Latin, Greek and Cyrillic
// and everything else, Noto Sans Arabic, Hebrew and Thai, WenQuanYi Micro Hei for CJK.
class MeasuringFonts
{
public:
    // A font at one pixel size, ready to shape with.
    struct Sized
    {
        hb_font_t* font = nullptr;
        // Multiplies the font's advances: 1 for outline fonts, the wanted size over the strike's
        // height for a bitmap font without the wanted size.
        double scale = 1.0;
    };

    // `userFont` empty: the installed fonts. Otherwise every script is measured with it.
    explicit MeasuringFonts(std::string userFont = {});
    ~MeasuringFonts();
    MeasuringFonts(const MeasuringFonts&) = delete;
    MeasuringFonts& operator=(const MeasuringFonts&) = delete;

    // Why no measuring is possible (a font that cannot be opened); empty when all is well.
    const std::string& Problem() const { return m_problem; }

    // The font for `script` at `pixelHeight`; its `font` is null when none could be opened.
    Sized For(hb_script_t script, int pixelHeight);
    // The font file (and family name) that measures `script`.
    std::string Describe(hb_script_t script);
    // What an English reader calls the script group `script` falls in ("Latin", "Arabic", ...).
    static std::string GroupName(hb_script_t script);

private:
    struct Face;
    Face* FaceFor(hb_script_t script);

    std::string m_userFont;
    std::string m_problem;
    void* m_library = nullptr; // FT_Library
    std::map<std::string, std::unique_ptr<Face>> m_faces;
    // The fonts asked for already, by script and size: asked for at every run of every line.
    std::map<std::pair<hb_script_t, int>, Sized> m_asked;
};

} // namespace textcheck

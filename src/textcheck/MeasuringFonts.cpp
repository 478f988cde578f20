#include "textcheck/MeasuringFonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb-ft.h>

#include <cmath>
#include <cstdlib>

namespace textcheck {
namespace {

constexpr const char* kFontDirectory = "/usr/share/fonts/truetype/";

// The installed font file for a script group.
std::string InstalledFontFor(const std::string& group)
{
    if (group == "Arabic") {
        return std::string(kFontDirectory) + "noto/NotoSansArabic-Regular.ttf";
    }
    if (group == "Hebrew") {
        return std::string(kFontDirectory) + "noto/NotoSansHebrew-Regular.ttf";
    }
    if (group == "Thai") {
        return std::string(kFontDirectory) + "noto/NotoSansThai-Regular.ttf";
    }
    if (group == "CJK") {
        return std::string(kFontDirectory) + "wqy/wqy-microhei.ttc";
    }
    return std::string(kFontDirectory) + "noto/NotoSans-Regular.ttf";
}

} // namespace

// One font file, opened once per pixel size it is asked for.
struct MeasuringFonts::Face
{
    std::string path;
    std::string family;
    FT_Library library = nullptr;
    std::map<int, Sized> sizes;
    bool broken = false;

    ~Face()
    {
        for (auto& [height, sized] : sizes) {
            hb_font_destroy(sized.font); // releases its FT_Face
        }
    }

    Sized At(int pixelHeight)
    {
        if (broken) {
            return {};
        }
        if (const auto it = sizes.find(pixelHeight); it != sizes.end()) {
            return it->second;
        }
        FT_Face face = nullptr;
        if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
            broken = true;
            return {};
        }
        family = face->family_name ? face->family_name : "";
        Sized sized;
        if (FT_IS_SCALABLE(face)) {
            FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight));
        } else if (face->num_fixed_sizes > 0) {
            // A bitmap font: the strike nearest the wanted height, its advances scaled.
            int best = 0;
            for (int i = 1; i < face->num_fixed_sizes; ++i) {
                if (std::abs(face->available_sizes[i].height - pixelHeight) <
                    std::abs(face->available_sizes[best].height - pixelHeight)) {
                    best = i;
                }
            }
            FT_Select_Size(face, best);
            const int strike = face->available_sizes[best].height;
            sized.scale = strike > 0 ? static_cast<double>(pixelHeight) / strike : 1.0;
        }
        sized.font = hb_ft_font_create_referenced(face);
        FT_Done_Face(face); // the hb font holds its own reference
        sizes[pixelHeight] = sized;
        return sized;
    }
};

MeasuringFonts::MeasuringFonts(std::string userFont) : m_userFont(std::move(userFont))
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        m_problem = "cannot start FreeType";
        return;
    }
    m_library = library;
    if (!m_userFont.empty()) {
        FT_Face face = nullptr;
        if (FT_New_Face(library, m_userFont.c_str(), 0, &face) != 0) {
            m_problem = "cannot open the font " + m_userFont;
            return;
        }
        FT_Done_Face(face);
    }
}

MeasuringFonts::~MeasuringFonts()
{
    m_faces.clear();
    if (m_library) {
        FT_Done_FreeType(static_cast<FT_Library>(m_library));
    }
}

std::string MeasuringFonts::GroupName(hb_script_t script)
{
    switch (script) {
    case HB_SCRIPT_ARABIC:
        return "Arabic";
    case HB_SCRIPT_HEBREW:
        return "Hebrew";
    case HB_SCRIPT_THAI:
        return "Thai";
    case HB_SCRIPT_HAN:
    case HB_SCRIPT_HIRAGANA:
    case HB_SCRIPT_KATAKANA:
    case HB_SCRIPT_HANGUL:
    case HB_SCRIPT_BOPOMOFO:
        return "CJK";
    case HB_SCRIPT_CYRILLIC:
        return "Cyrillic";
    case HB_SCRIPT_GREEK:
        return "Greek";
    default:
        return "Latin";
    }
}

MeasuringFonts::Face* MeasuringFonts::FaceFor(hb_script_t script)
{
    if (!m_library || !m_problem.empty()) {
        return nullptr;
    }
    const std::string path = m_userFont.empty() ? InstalledFontFor(GroupName(script)) : m_userFont;
    std::unique_ptr<Face>& face = m_faces[path];
    if (!face) {
        face = std::make_unique<Face>();
        face->path = path;
        face->library = static_cast<FT_Library>(m_library);
    }
    return face.get();
}

MeasuringFonts::Sized MeasuringFonts::For(hb_script_t script, int pixelHeight)
{
    const auto key = std::make_pair(script, pixelHeight);
    if (const auto it = m_asked.find(key); it != m_asked.end()) {
        return it->second;
    }
    Face* face = FaceFor(script);
    const Sized sized = face ? face->At(pixelHeight) : Sized{};
    m_asked[key] = sized;
    return sized;
}

std::string MeasuringFonts::Describe(hb_script_t script)
{
    Face* face = FaceFor(script);
    if (!face) {
        return {};
    }
    face->At(12);
    if (face->broken) {
        return face->path + " (cannot be opened)";
    }
    return face->family.empty() ? face->path : face->family + " (" + face->path + ")";
}

} // namespace textcheck

#include "textcheck/LineMeasurer.h"

#include "platform/CodePage.h"

#include <fribidi.h>

#include <algorithm>
#include <cmath>

namespace textcheck {

std::u32string DecodeUtf8(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    bool valid = true;
    while (pos < text.size()) {
        out.push_back(platform::decodeUtf8(text, pos, valid));
    }
    return out;
}

std::string EncodeUtf8(char32_t codePoint)
{
    std::string out;
    platform::appendUtf8(out, codePoint);
    return out;
}

namespace {

bool IsNeutralScript(hb_script_t script)
{
    return script == HB_SCRIPT_COMMON || script == HB_SCRIPT_INHERITED ||
           script == HB_SCRIPT_UNKNOWN;
}

// Each character's script; neutral ones (digits, spaces, punctuation, combining marks) take
// their neighbour's, so that a run is not cut at every space.
std::vector<hb_script_t> Scripts(const std::u32string& text, std::vector<bool>& neutral)
{
    hb_unicode_funcs_t* unicode = hb_unicode_funcs_get_default();
    std::vector<hb_script_t> scripts(text.size());
    neutral.assign(text.size(), false);
    for (std::size_t i = 0; i < text.size(); ++i) {
        scripts[i] = hb_unicode_script(unicode, text[i]);
        neutral[i] = IsNeutralScript(scripts[i]);
    }
    hb_script_t last = HB_SCRIPT_COMMON;
    for (hb_script_t& script : scripts) {
        if (IsNeutralScript(script)) {
            script = last;
        } else {
            last = script;
        }
    }
    // A line that starts with neutral characters gives them its first real script.
    const auto first = std::find_if(scripts.begin(), scripts.end(),
                                    [](hb_script_t script) { return !IsNeutralScript(script); });
    const hb_script_t lead = first == scripts.end() ? HB_SCRIPT_LATIN : *first;
    for (auto it = scripts.begin(); it != first; ++it) {
        *it = lead;
    }
    return scripts;
}

bool IsRightToLeftLetter(char32_t c)
{
    return (c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) ||
           (c >= 0xFE70 && c <= 0xFEFF) || (c >= 0x10800 && c <= 0x10FFF) ||
           (c >= 0x1E800 && c <= 0x1EFFF);
}

// The bidirectional embedding level of each character; all 0 for a line without any
// right-to-left letter, which needs no reordering.
std::vector<FriBidiLevel> Levels(const std::u32string& text)
{
    std::vector<FriBidiLevel> levels(text.size(), 0);
    if (std::none_of(text.begin(), text.end(), IsRightToLeftLetter)) {
        return levels;
    }
    const auto length = static_cast<FriBidiStrIndex>(text.size());
    std::vector<FriBidiChar> chars(text.begin(), text.end());
    std::vector<FriBidiCharType> types(text.size());
    std::vector<FriBidiBracketType> brackets(text.size());
    fribidi_get_bidi_types(chars.data(), length, types.data());
    fribidi_get_bracket_types(chars.data(), length, types.data(), brackets.data());
    FriBidiParType direction = FRIBIDI_PAR_ON;
    if (fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), length, &direction,
                                            levels.data()) == 0) {
        std::fill(levels.begin(), levels.end(), 0);
    }
    return levels;
}

} // namespace

const LineMeasure& LineMeasurer::Measure(std::string_view line, int pixelHeight)
{
    Measured& measured = m_measured[pixelHeight];
    // A window checks again after every edit: what was typed and undone does not pile up.
    if (measured.size() >= kRemembered) {
        measured.clear();
    }
    m_key.assign(line);
    if (const auto it = measured.find(m_key); it != measured.end()) {
        return it->second;
    }
    LineMeasure measure = Shape(DecodeUtf8(line), pixelHeight);
    return measured.emplace(m_key, std::move(measure)).first->second;
}

bool LineMeasurer::FallBack(char32_t c, int pixelHeight, double& width)
{
    const MeasuringFonts::Sized latin = m_fonts.For(HB_SCRIPT_LATIN, pixelHeight);
    hb_codepoint_t glyph = 0;
    if (!latin.font || !hb_font_get_nominal_glyph(latin.font, c, &glyph)) {
        return false;
    }
    width += hb_font_get_glyph_h_advance(latin.font, glyph) / 64.0 * latin.scale;
    return true;
}

LineMeasure LineMeasurer::Shape(const std::u32string& text, int pixelHeight)
{
    LineMeasure measure;
    if (text.empty()) {
        return measure;
    }
    std::vector<bool> neutral;
    const std::vector<hb_script_t> scripts = Scripts(text, neutral);
    const std::vector<FriBidiLevel> levels = Levels(text);
    double width = 0;
    hb_buffer_t* buffer = hb_buffer_create();
    std::size_t start = 0;
    while (start < text.size()) {
        // A run is one script. Its direction is that of its letters: the numbers inside an
        // Arabic or Hebrew run go left to right on screen, but their advances are the same
        // either way, and shaping them apart would only cost time.
        std::size_t end = start + 1;
        while (end < text.size() && scripts[end] == scripts[start]) {
            ++end;
        }
        std::size_t strong = start;
        while (strong < end && neutral[strong]) {
            ++strong;
        }
        const FriBidiLevel level = levels[strong < end ? strong : start];
        const MeasuringFonts::Sized sized = m_fonts.For(scripts[start], pixelHeight);
        if (std::find(measure.scripts.begin(), measure.scripts.end(), scripts[start]) ==
            measure.scripts.end()) {
            measure.scripts.push_back(scripts[start]);
        }
        if (sized.font) {
            hb_buffer_clear_contents(buffer);
            // The whole line goes in as context, so that letters join across run edges.
            hb_buffer_add_utf32(buffer, reinterpret_cast<const std::uint32_t*>(text.data()),
                                static_cast<int>(text.size()), static_cast<unsigned>(start),
                                static_cast<int>(end - start));
            hb_buffer_set_script(buffer, scripts[start]);
            hb_buffer_set_direction(buffer, (level & 1) ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
            hb_buffer_guess_segment_properties(buffer);
            hb_shape(sized.font, buffer, nullptr, 0);
            unsigned count = 0;
            const hb_glyph_info_t* glyphs = hb_buffer_get_glyph_infos(buffer, &count);
            const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
            for (unsigned g = 0; g < count; ++g) {
                const std::size_t at = glyphs[g].cluster;
                if (glyphs[g].codepoint != 0) {
                    width += positions[g].x_advance / 64.0 * sized.scale;
                } else if (neutral[at] && FallBack(text[at], pixelHeight, width)) {
                    // A sign the script's font lacks (a degree sign beside Arabic) is drawn
                    // from the Latin font, as a device's fallback would.
                } else {
                    width += positions[g].x_advance / 64.0 * sized.scale;
                    const char32_t source = text[at];
                    const auto seen = [source](const auto& entry) { return entry.first == source; };
                    if (std::none_of(measure.missing.begin(), measure.missing.end(), seen)) {
                        measure.missing.emplace_back(source, scripts[start]);
                    }
                }
            }
        }
        start = end;
    }
    hb_buffer_destroy(buffer);
    measure.width = static_cast<int>(std::ceil(width - 1e-6));
    return measure;
}

} // namespace textcheck

#pragma once

#include "textcheck/MeasuringFonts.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace textcheck {

// What one line of text needs when drawn.
struct LineMeasure
{
    // Pixels across, rounded up.
    int width = 0;
    // Characters that the measuring font has no glyph for, in order of first appearance, with
    // the script whose font was asked.
    std::vector<std::pair<char32_t, hb_script_t>> missing;
    // The scripts of the line's runs, each once, to say which font measured them.
    std::vector<hb_script_t> scripts;
};

// Measures lines as the device draws them: put in visual order by the Unicode bidirectional
// algorithm (FriBidi), cut into runs of one script and one direction, each shaped with
// HarfBuzz in its script's measuring font. Lines measured once are remembered.
class LineMeasurer
{
public:
    explicit LineMeasurer(MeasuringFonts& fonts) : m_fonts(fonts) {}

    // `line` is UTF-8 without line feeds; malformed bytes count as U+FFFD.
    const LineMeasure& Measure(std::string_view line, int pixelHeight);

private:
    LineMeasure Shape(const std::u32string& text, int pixelHeight);
    // Adds the Latin font's advance of `c` to `width`; false when that font lacks it too.
    bool FallBack(char32_t c, int pixelHeight, double& width);

    MeasuringFonts& m_fonts;
    // Lines remembered per size at most.
    static constexpr std::size_t kRemembered = 200000;
    using Measured = std::unordered_map<std::string, LineMeasure>;
    // By pixel height, then by line.
    std::map<int, Measured> m_measured;
    // The line being looked up (kept, so that a look-up allocates nothing).
    std::string m_key;
};

// The code points of UTF-8 `text`; an ill-formed sequence gives U+FFFD.
std::u32string DecodeUtf8(std::string_view text);
// UTF-8 of one code point.
std::string EncodeUtf8(char32_t codePoint);

} // namespace textcheck

#pragma once

#include "textcheck/LineMeasurer.h"
#include "textcheck/MeasuringFonts.h"
#include "textcheck/TextFitInput.h"
#include "textcheck/TextFitReport.h"

#include <string_view>
#include <string>
#include <vector>

namespace textcheck {

// Checks texts against their boxes, language by language: every string element's text at the
// element's font height ("[CR]" starts a new line, each line the font height tall) against its
// width (not for scrolling texts) and height; string resources without a text in a language;
// string elements bound to no string; characters no measuring font draws. One check object
// remembers the lines it measured, so that checking again after an edit is quick; it is used by
// one thread at a time.
class TextFitCheck
{
public:
    // `font`: a font file that measures every script; empty for the installed fonts.
    explicit TextFitCheck(std::string font = {});

    // Checks `input`. Problem() says why nothing could be checked (an unknown language, a font
    // that cannot be opened); the report is empty then.
    TextFitReport Run(const TextFitInput& input);
    const std::string& Problem() const { return m_problem; }

private:
    void CheckElement(const TextFitInput& input, const TextFitInput::Element& element,
                      TextFitReport& report);
    static void CheckTexts(const TextFitInput& input, const TextFitInput::String& string,
                           TextFitReport& report);

    MeasuringFonts m_fonts;
    LineMeasurer m_measurer{m_fonts};
    std::vector<hb_script_t> m_scriptsMet;
    std::string m_problem;
};

// The lines of a stored text: "[CR]" and line feeds start new ones.
std::vector<std::string> SplitLines(const std::string& text);
// Calls `visit` with each line of `text`, as SplitLines cuts them, without copying.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t mark = text.compare(i, 4, "[CR]") == 0 ? 4 : text[i] == '\n' ? 1 : 0;
        if (mark == 0) {
            ++i;
            continue;
        }
        visit(text.substr(start, i - start));
        i += mark;
        start = i;
    }
    visit(text.substr(start));
}

} // namespace textcheck

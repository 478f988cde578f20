#include "textcheck/TextFitCheck.h"

#include <algorithm>
#include <map>
#include <set>

namespace textcheck {
namespace {

constexpr const char* kNotAvailable = "N/A";
// Fewer letters than this (a number with a unit, "OK") may well read the same everywhere.
constexpr int kLettersOfAWord = 3;

int Letters(const std::string& text)
{
    hb_unicode_funcs_t* unicode = hb_unicode_funcs_get_default();
    int letters = 0;
    for (const char32_t c : DecodeUtf8(text)) {
        switch (hb_unicode_general_category(unicode, c)) {
        case HB_UNICODE_GENERAL_CATEGORY_LOWERCASE_LETTER:
        case HB_UNICODE_GENERAL_CATEGORY_UPPERCASE_LETTER:
        case HB_UNICODE_GENERAL_CATEGORY_TITLECASE_LETTER:
        case HB_UNICODE_GENERAL_CATEGORY_OTHER_LETTER:
            ++letters;
            break;
        default:
            break;
        }
    }
    return letters;
}

} // namespace

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    ForEachLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

TextFitCheck::TextFitCheck(std::string font) : m_fonts(std::move(font)) {}

TextFitReport TextFitCheck::Run(const TextFitInput& input)
{
    TextFitReport report;
    m_problem = !m_fonts.Problem().empty() ? m_fonts.Problem() : input.problem;
    if (!m_problem.empty()) {
        return report;
    }
    m_scriptsMet.clear();
    for (const TextFitInput::Element& element : input.elements) {
        CheckElement(input, element, report);
    }
    for (const TextFitInput::String& string : input.strings) {
        CheckTexts(input, string, report);
    }
    std::map<std::string, hb_script_t> groups;
    for (const hb_script_t script : m_scriptsMet) {
        groups.emplace(MeasuringFonts::GroupName(script), script);
    }
    for (const auto& [group, script] : groups) {
        report.fonts.push_back({group, m_fonts.Describe(script)});
    }
    return report;
}

void TextFitCheck::CheckElement(const TextFitInput& input, const TextFitInput::Element& element,
                                TextFitReport& report)
{
    if (element.string < 0 || element.string >= static_cast<int>(input.strings.size())) {
        report.unbound.push_back(element.path);
        return;
    }
    const TextFitInput::String& string = input.strings[static_cast<std::size_t>(element.string)];
    for (std::size_t l = 0; l < input.languages.size(); ++l) {
        const std::string& text = string.texts[l];
        if (text.empty() || text == kNotAvailable) {
            continue;
        }
        const std::string& language = input.languages[l].name;
        int lines = 0;
        int neededWidth = 0;
        std::set<char32_t> missing;
        ForEachLine(text, [&](std::string_view line) {
            ++lines;
            const LineMeasure& measure = m_measurer.Measure(line, element.fontHeight);
            neededWidth = std::max(neededWidth, measure.width);
            for (const hb_script_t script : measure.scripts) {
                if (std::find(m_scriptsMet.begin(), m_scriptsMet.end(), script) ==
                    m_scriptsMet.end()) {
                    m_scriptsMet.push_back(script);
                }
            }
            for (const auto& [c, script] : measure.missing) {
                if (missing.insert(c).second) {
                    report.missingGlyphs.push_back(
                        {element.path, language, c, m_fonts.Describe(script)});
                }
            }
        });
        const int neededHeight = lines * element.fontHeight;
        const bool tooWide = !element.scrolls && neededWidth > element.width;
        if (tooWide || neededHeight > element.height) {
            report.overflows.push_back({element.path, language, text, neededWidth, neededHeight,
                                        element.width, element.height, element.scrolls, element.key,
                                        input.languages[l].slot});
        }
    }
}

void TextFitCheck::CheckTexts(const TextFitInput& input, const TextFitInput::String& string,
                              TextFitReport& report)
{
    for (std::size_t l = 0; l < input.languages.size(); ++l) {
        const std::string& text = string.texts[l];
        if (text.empty() || text == kNotAvailable) {
            report.missingTexts.push_back(
                {string.name, input.languages[l].name, text.empty() ? "empty" : kNotAvailable});
        }
    }
    if (input.languages.size() < 2) {
        return;
    }
    const std::string& first = string.texts.front();
    const bool same = std::all_of(string.texts.begin(), string.texts.end(),
                                  [&](const std::string& text) { return text == first; });
    if (same && Letters(first) >= kLettersOfAWord) {
        for (std::size_t l = 1; l < input.languages.size(); ++l) {
            report.missingTexts.push_back({string.name, input.languages[l].name, "untranslated"});
        }
    }
}

} // namespace textcheck

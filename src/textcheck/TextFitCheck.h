#pragma once

#include "textcheck/LineMeasurer.h"
#include "textcheck/MeasuringFonts.h"
#include "textcheck/TextFitReport.h"

#include <string>
#include <vector>

class APStyleProject;
class StringSnapShotItem;
struct StringRecord;

namespace textcheck {

// Checks a project's texts against their boxes, language by language: every string element's
// text at the element's font height ("[CR]" starts a new line, each line the font height tall)
// against its width (not for scrolling texts) and height; string resources without a text in
// a language; string elements bound to no string; characters no measuring font draws.
class TextFitCheck
{
public:
    struct Options
    {
        // Language names to check; empty for every named language of the project.
        std::vector<std::string> languages;
        // A font file that measures every script; empty for the installed fonts.
        std::string font;
    };

    explicit TextFitCheck(Options options);

    // Checks `project`. Problem() says why nothing could be checked (an unknown language, a
    // font that cannot be opened); the report is empty then.
    TextFitReport Run(const APStyleProject& project);
    const std::string& Problem() const { return m_problem; }

private:
    struct Language
    {
        std::size_t slot;
        std::string name;
    };

    bool ChooseLanguages(const APStyleProject& project);
    void CheckElement(const APStyleProject& project, const StringSnapShotItem& element,
                      const std::string& path, TextFitReport& report);
    void CheckTexts(const StringRecord& record, TextFitReport& report) const;

    Options m_options;
    MeasuringFonts m_fonts;
    LineMeasurer m_measurer{m_fonts};
    std::vector<Language> m_languages;
    std::map<std::string, hb_script_t> m_groupsMet;
    std::string m_problem;
};

// The lines of a stored text: "[CR]" and line feeds start new ones.
std::vector<std::string> SplitLines(const std::string& text);

} // namespace textcheck

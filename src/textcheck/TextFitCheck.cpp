#include "textcheck/TextFitCheck.h"

#include "model/APStyleProject.h"
#include "model/Snapshot.h"
#include "model/StringSnapShotItem.h"

#include <algorithm>
#include <functional>
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
    std::string line;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, 4, "[CR]") == 0) {
            lines.push_back(std::move(line));
            line.clear();
            i += 4;
        } else if (text[i] == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            ++i;
        } else {
            line += text[i++];
        }
    }
    lines.push_back(std::move(line));
    return lines;
}

TextFitCheck::TextFitCheck(Options options) : m_options(std::move(options)), m_fonts(m_options.font)
{
}

bool TextFitCheck::ChooseLanguages(const APStyleProject& project)
{
    const std::vector<std::string> named = project.Strings().NamedLanguages();
    m_languages.clear();
    if (m_options.languages.empty()) {
        for (std::size_t slot = 0; slot < named.size(); ++slot) {
            m_languages.push_back({slot, named[slot]});
        }
        return true;
    }
    for (const std::string& wanted : m_options.languages) {
        const auto it = std::find(named.begin(), named.end(), wanted);
        if (it == named.end()) {
            std::string known;
            for (const std::string& name : named) {
                known += (known.empty() ? "" : ", ") + name;
            }
            m_problem = "unknown language \"" + wanted +
                        "\" (the project has: " + (known.empty() ? std::string("none") : known) +
                        ")";
            return false;
        }
        m_languages.push_back({static_cast<std::size_t>(it - named.begin()), wanted});
    }
    return true;
}

TextFitReport TextFitCheck::Run(const APStyleProject& project)
{
    TextFitReport report;
    m_problem = m_fonts.Problem();
    if (!m_problem.empty() || !ChooseLanguages(project)) {
        return report;
    }
    m_groupsMet.clear();
    const std::function<void(const SnapShotItem&, const std::string&)> walk =
        [&](const SnapShotItem& element, const std::string& parentPath) {
            if (element.IsDeleted()) {
                return;
            }
            const std::string path = parentPath + "/" + element.Name();
            if (const auto* text = dynamic_cast<const StringSnapShotItem*>(&element)) {
                CheckElement(project, *text, path, report);
            }
            if (const SnapItemList* children = element.Children()) {
                for (const auto& child : *children) {
                    walk(*child, path);
                }
            }
        };
    for (const auto& scene : project.Scenes()) {
        if (scene->IsDeleted()) {
            continue;
        }
        for (std::size_t i = 0; i < scene->Elements().size(); ++i) {
            const SnapShotItem& top = *scene->Elements()[i];
            // The scene's window group stands for the scene itself in paths.
            if (i == 0 && top.Children()) {
                for (const auto& child : *top.Children()) {
                    walk(*child, scene->Name());
                }
            } else {
                walk(top, scene->Name());
            }
        }
    }
    for (const StringRecord& record : project.Strings().Records()) {
        CheckTexts(record, report);
    }
    for (const auto& [group, script] : m_groupsMet) {
        report.fonts.push_back({group, m_fonts.Describe(script)});
    }
    return report;
}

void TextFitCheck::CheckElement(const APStyleProject& project, const StringSnapShotItem& element,
                                const std::string& path, TextFitReport& report)
{
    const StringItemInfo info = element.StringInfo();
    const int index =
        info.stringId < 0 ? -1 : project.Strings().Find(element.TextStore().identifier);
    if (index < 0) {
        report.unbound.push_back(path);
        return;
    }
    const StringRecord& record = project.Strings().Records()[static_cast<std::size_t>(index)];
    const int fontHeight = std::max<int>(1, info.fontHeight);
    const bool scrolls = info.textScroll != 0;
    for (const Language& language : m_languages) {
        const std::string& text = record.texts[language.slot];
        if (text.empty() || text == kNotAvailable) {
            continue;
        }
        const std::vector<std::string> lines = SplitLines(text);
        int neededWidth = 0;
        std::set<char32_t> missing;
        for (const std::string& line : lines) {
            const LineMeasure& measure = m_measurer.Measure(line, fontHeight);
            neededWidth = std::max(neededWidth, measure.width);
            m_groupsMet.insert(measure.groups.begin(), measure.groups.end());
            for (const auto& [c, script] : measure.missing) {
                if (missing.insert(c).second) {
                    report.missingGlyphs.push_back(
                        {path, language.name, c, m_fonts.Describe(script)});
                }
            }
        }
        const int neededHeight = static_cast<int>(lines.size()) * fontHeight;
        const bool tooWide = !scrolls && neededWidth > info.width;
        if (tooWide || neededHeight > info.height) {
            report.overflows.push_back({path, language.name, text, neededWidth, neededHeight,
                                        info.width, info.height, scrolls});
        }
    }
}

void TextFitCheck::CheckTexts(const StringRecord& record, TextFitReport& report) const
{
    for (const Language& language : m_languages) {
        const std::string& text = record.texts[language.slot];
        if (text.empty() || text == kNotAvailable) {
            report.missingTexts.push_back(
                {record.identifier, language.name, text.empty() ? "empty" : kNotAvailable});
        }
    }
    if (m_languages.size() < 2) {
        return;
    }
    const std::string& first = record.texts[m_languages.front().slot];
    const bool same =
        std::all_of(m_languages.begin(), m_languages.end(),
                    [&](const Language& language) { return record.texts[language.slot] == first; });
    if (same && Letters(first) >= kLettersOfAWord) {
        for (std::size_t i = 1; i < m_languages.size(); ++i) {
            report.missingTexts.push_back({record.identifier, m_languages[i].name, "untranslated"});
        }
    }
}

} // namespace textcheck

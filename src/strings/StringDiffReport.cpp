#include "strings/StringDiffReport.h"

#include "model/TextCut.h"
#include "strings/StringTableDiff.h"

#include <algorithm>
#include <sstream>

namespace {

// Texts are cut to this many bytes in a shortened report.
constexpr std::size_t kShortText = 60;

class Report
{
public:
    explicit Report(std::size_t limit) : m_limit(limit) {}

    std::string quoted(const std::string& text) const
    {
        std::string out = "\"";
        const bool cut = m_limit != 0 && text.size() > kShortText;
        for (const char c : cut ? model::CutText(text, kShortText) : text) {
            out += c == '\n' ? std::string("\\n") : std::string(1, c);
        }
        return out + (cut ? "…\"" : "\"");
    }

    template <typename Item, typename Line>
    void section(const char* title, const std::vector<Item>& items, Line line)
    {
        if (items.empty()) {
            return;
        }
        m_out << title << " (" << items.size() << "):\n";
        const std::size_t shown = m_limit == 0 ? items.size() : std::min(m_limit, items.size());
        for (std::size_t i = 0; i < shown; ++i) {
            m_out << "  " << line(items[i]) << '\n';
        }
        if (shown < items.size()) {
            m_out << "  … " << items.size() - shown << " more\n";
        }
    }

    std::ostringstream& out() { return m_out; }

private:
    std::size_t m_limit;
    std::ostringstream m_out;
};

} // namespace

std::string StringDiffReport(const StringTableDiff& diff, const std::string& file,
                             std::size_t limit)
{
    Report report(limit);
    report.out() << file << ": "
                 << (diff.Rereads()        ? "the project's string files, read again\n"
                     : diff.ReplacesList() ? "a spreadsheet; it replaces the project's strings\n"
                                           : "a text file; it adds the names the project lacks\n");
    const auto name = [](const std::string& text) { return text; };
    const auto change = [&](const StringTableDiff::TextChange& c) {
        return c.name + " [" + diff.LanguageName(c.language) + "]: " + report.quoted(c.before) +
               " -> " + report.quoted(c.after);
    };
    report.section("new strings", diff.Added(), name);
    report.section("changed texts", diff.Changed(), change);
    report.section("vanished strings", diff.Vanished(), name);
    report.section("texts that become empty or N/A", diff.Emptied(), change);
    report.section("duplicate names", diff.Renamed(), [](const StringTableDiff::Rename& r) {
        return "row " + std::to_string(r.row) + ": " + r.name + " becomes " + r.renamedTo;
    });
    report.section("cells that are not text", diff.NotText(), [&](const StringTableDiff::Cell& c) {
        return "row " + std::to_string(c.row) + ", column " + std::to_string(c.column) + ": " +
               report.quoted(c.text);
    });
    report.section("rows with more cells than the header", diff.LongRows(),
                   [](const StringTableDiff::LongRow& r) {
                       return "row " + std::to_string(r.row) + ": " + std::to_string(r.cells) +
                              " cells";
                   });
    if (!diff.CellNote().empty()) {
        report.out() << "note: " << diff.CellNote() << '\n';
    }
    report.out() << (diff.LosesSomething() ? "something would be lost\n"
                                           : "nothing would be lost\n");
    return report.out().str();
}

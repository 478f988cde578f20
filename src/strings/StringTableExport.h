#pragma once

#include <string>
#include <vector>

class APStyleProject;
struct StringRecord;

// The project's string resources as a table for translators, in the spreadsheet form
// the string import reads back: a header row ("ResID" or "ResID([CR]:n)", one column
// per language headed by its name, then "Check", which the import does not count as a
// language), a "[RESLAN]" row with the language names, and one row per string: its
// name, its text in each language ("[CR]" as a line break in the cell; a missing text
// as an empty cell) and the width budget of the string elements that show it.
class StringTableExport
{
public:
    using Table = std::vector<std::vector<std::string>>;

    explicit StringTableExport(const APStyleProject& project);

    // The language slots the project has texts or names for, in order.
    std::vector<int> Languages() const;
    // The slot `nameOrNumber` names: a language name, a column title or a zero-based
    // slot number. -1 when it names none.
    int FindLanguage(const std::string& nameOrNumber) const;
    // The heading of a language column.
    std::string LanguageTitle(int slot) const;

    // Text of `record` in language `slot`, as the table holds it ("" when missing).
    static std::string CellText(const StringRecord& record, int slot);
    // "width N px, font M px" of the narrowest string element bound to `identifier`,
    // or "" when none shows it.
    std::string WidthBudget(const std::string& identifier) const;

    // The table for `languages` (slots); `missingOnly` keeps the strings that lack a
    // text in one of them.
    Table Build(const std::vector<int>& languages, bool missingOnly) const;

private:
    struct Budget
    {
        int width = 0;
        int fontHeight = 0;
    };
    void collectBudgets();

    const APStyleProject& m_project;
    std::vector<std::pair<std::string, Budget>> m_budgets;
};

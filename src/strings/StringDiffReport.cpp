#include "strings/StringDiffReport.h"

#include "strings/StringTableDiff.h"

#include <sstream>

namespace {

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        out += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return out + '"';
}

void printNames(std::ostream& out, const char* title, const std::vector<std::string>& names)
{
    if (names.empty()) {
        return;
    }
    out << title << " (" << names.size() << "):\n";
    for (const std::string& name : names) {
        out << "  " << name << '\n';
    }
}

void printChanges(std::ostream& out, const StringTableDiff& diff, const char* title,
                  const std::vector<StringTableDiff::TextChange>& changes)
{
    if (changes.empty()) {
        return;
    }
    out << title << " (" << changes.size() << "):\n";
    for (const auto& change : changes) {
        out << "  " << change.name << " [" << diff.LanguageName(change.language)
            << "]: " << quoted(change.before) << " -> " << quoted(change.after) << '\n';
    }
}

} // namespace

std::string StringDiffReport(const StringTableDiff& diff, const std::string& file)
{
    std::ostringstream out;
    out << file << ": "
        << (diff.Rereads()        ? "the project's string files, read again\n"
            : diff.ReplacesList() ? "a spreadsheet; it replaces the project's strings\n"
                                  : "a text file; it adds the names the project lacks\n");
    printNames(out, "new strings", diff.Added());
    printChanges(out, diff, "changed texts", diff.Changed());
    printNames(out, "vanished strings", diff.Vanished());
    printChanges(out, diff, "texts that become empty or N/A", diff.Emptied());
    if (!diff.Renamed().empty()) {
        out << "duplicate names (" << diff.Renamed().size() << "):\n";
        for (const auto& rename : diff.Renamed()) {
            out << "  row " << rename.row << ": " << rename.name << " becomes " << rename.renamedTo
                << '\n';
        }
    }
    if (!diff.NotText().empty()) {
        out << "cells that are not text (" << diff.NotText().size() << "):\n";
        for (const auto& cell : diff.NotText()) {
            out << "  row " << cell.row << ", column " << cell.column << ": " << quoted(cell.text)
                << '\n';
        }
    }
    if (!diff.LongRows().empty()) {
        out << "rows with more cells than the header (" << diff.LongRows().size() << "):\n";
        for (const auto& row : diff.LongRows()) {
            out << "  row " << row.row << ": " << row.cells << " cells\n";
        }
    }
    if (!diff.CellNote().empty()) {
        out << "note: " << diff.CellNote() << '\n';
    }
    out << (diff.LosesSomething() ? "something would be lost\n" : "nothing would be lost\n");
    return out.str();
}

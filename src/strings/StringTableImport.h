#pragma once

#include "model/APStyleProject.h"

#include <cstdint>
#include <string>

class StringRegistry;

// Imports string tables into a project's string list: text files of "name=" and
// "string=" lines, and spreadsheets (".xls", ".xlsx", ".csv") through the converter tool. Also
// gives the project's missing-strings check its importer.
class StringTableImport
{
public:
    // `project` (may be null) gives the stored form of the file paths the list keeps and
    // receives the "[CR]" line-feed flag of a spreadsheet. Not owned.
    explicit StringTableImport(APStyleProject* project = nullptr);

    // The converter program; empty (the default) means "xls2txt" beside this program.
    void SetConverter(const std::string& program) { m_converter = program; }

    // Adds the string file at `path` to `list`: when the list keeps its files, the file
    // is entered there first (once; a bare file name is taken from the current
    // directory). Then ".xls", ".xlsx" and ".csv" files (any letter case) take the
    // spreadsheet route, all
    // others the text route. Returns the next free id (see the routes).
    std::uint32_t AddStringFile(StringRegistry& list, const std::string& path,
                                std::uint32_t firstId) const;

    // Text route: appends the strings of the file whose names are new, ids from
    // max(`firstId`, last id + 1) on. Returns the next free id, or the list's last id
    // when the file cannot be opened. `fileIndex`: the file's index in the list's text
    // file list for the second map, or -1.
    std::uint32_t ImportText(StringRegistry& list, const std::string& path, std::uint32_t firstId,
                             int fileIndex = -1) const;

    // Spreadsheet route: converts the spreadsheet and replaces the list's strings with
    // its rows, ids from 1. Returns the next free id, or 0 when nothing was imported (a
    // message says why); the list is then left as it was.
    std::uint32_t ImportSpreadsheet(StringRegistry& list, const std::string& path,
                                    int fileIndex = -1) const;

    // The spreadsheet route after conversion: imports the converter's text at `path`.
    std::uint32_t ImportConverted(StringRegistry& list, const std::string& path,
                                  int fileIndex = -1) const;

    // Replaces every "[CR]" of `text` by a line feed when `forceLineFeed` is set or the
    // project's flag is 1, else by a tab. Returns the number of replacements.
    int ReplaceCR(std::u16string& text, bool forceLineFeed) const;

    // An importer for APStyleProject::MarkMissingStrings. Each file is read into a list
    // of its own and then merged into the scratch list (names already there keep their
    // texts), so a spreadsheet does not discard what the files before it gave.
    StringFileImporter ScratchImporter() const;

    // Marks the project's strings that none of its string files gives a text, with this
    // importer; the project learns the files' language names as well.
    static void MarkMissingStrings(APStyleProject& project);

private:
    int rememberFile(StringRegistry& list, const std::string& absolutePath) const;
    std::uint32_t importConverted(StringRegistry& list, const std::string& path,
                                  const std::string& shownName, int fileIndex) const;

    APStyleProject* m_project;
    std::string m_converter;
};

#pragma once

#include <string>
#include <vector>

class APStyleProject;
class StringRegistry;

// What adding a string file to a project would change, found before anything changes:
// the file is imported into a list of its own and compared with the project's strings,
// and a spreadsheet's cells are looked at for what the import would silently alter.
class StringTableDiff
{
public:
    struct TextChange
    {
        std::string name;
        int language = 0;
        std::string before;
        std::string after;
    };
    struct Rename
    {
        int row = 0; // 1-based, as the spreadsheet program shows it
        std::string name;
        std::string renamedTo;
    };
    struct Cell
    {
        int row = 0;
        int column = 0; // 1-based
        std::string text;
    };
    struct LongRow
    {
        int row = 0;
        int cells = 0;
    };

    // `converter`: the spreadsheet converter program, empty for the usual one.
    StringTableDiff(const APStyleProject& project, std::string converter = {});

    // Compares the file at `path` with the project. Returns false, with Error() set,
    // when the file cannot be read as a string file at all.
    bool Compare(const std::string& path);

    // Compares the project with `after`, the same strings read again from their files:
    // changed and emptied texts, new and vanished names.
    void CompareWith(const StringRegistry& after);

    // True when applying the file would lose something: a string would vanish, a text
    // become empty, a name be renamed, a cell be read other than as typed, or cells
    // beyond the header be taken for languages.
    bool LosesSomething() const;

    bool ReplacesList() const { return m_replacesList; }
    // True after CompareWith: the project's own files were read again.
    bool Rereads() const { return m_rereads; }
    const std::vector<std::string>& Added() const { return m_added; }
    const std::vector<std::string>& Vanished() const { return m_vanished; }
    const std::vector<TextChange>& Changed() const { return m_changed; }
    // Texts that the project has and the file leaves empty or "N/A".
    const std::vector<TextChange>& Emptied() const { return m_emptied; }
    const std::vector<Rename>& Renamed() const { return m_renamed; }
    const std::vector<Cell>& NotText() const { return m_notText; }
    const std::vector<LongRow>& LongRows() const { return m_longRows; }
    const std::vector<std::string>& LanguageTitles() const { return m_titles; }
    // The project's name of language `slot`, or "language N" when it has none.
    std::string LanguageName(int slot) const;
    // True when the file would change the project's strings at all, or loses something.
    bool ChangesSomething() const;
    // Why the cells of the file could not be looked at, when they could not.
    const std::string& CellNote() const { return m_cellNote; }
    const std::string& Error() const { return m_error; }

private:
    void compareStrings(const StringRegistry& file);
    void checkCells(const std::string& path, const StringRegistry& file);

    const APStyleProject& m_project;
    std::string m_converter;
    bool m_replacesList = false;
    bool m_rereads = false;
    std::vector<std::string> m_added;
    std::vector<std::string> m_vanished;
    std::vector<TextChange> m_changed;
    std::vector<TextChange> m_emptied;
    std::vector<Rename> m_renamed;
    std::vector<Cell> m_notText;
    std::vector<LongRow> m_longRows;
    std::vector<std::string> m_titles;
    std::string m_cellNote;
    std::string m_error;
};

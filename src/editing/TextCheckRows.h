#pragma once

#include "textcheck/TextFitReport.h"

#include <cstddef>
#include <string>
#include <vector>

class SnapShotItem;

namespace editing {

class Workspace;

// The text check panel without a window: one row per finding of the last check (overflows
// first, then characters without glyphs, unbound strings and missing texts), what the surface
// outlines, and what a double-click on a row does.
class TextCheckRows
{
public:
    enum Column
    {
        kProblem = 0,
        kWhere = 1,
        kLanguage = 2,
        kDetail = 3,
        kColumns = 4
    };
    struct Row
    {
        std::string cells[kColumns];
        // The string element the row is about (a SnapShotItem of the project checked), or null.
        const void* element = nullptr;
        // The language's slot, for rows of one language; -1 otherwise.
        int slot = -1;
    };

    void SetReport(const textcheck::TextFitReport& report);
    void Clear();
    const std::vector<Row>& Rows() const { return m_rows; }
    static std::string ColumnTitle(int column);
    // A line for the panel's status: how many findings.
    std::string Summary() const;

    // The elements whose text overflows in some language, still live in the current project:
    // the surface outlines them.
    std::vector<SnapShotItem*> Overflowing(Workspace& ws) const;
    // A double-click on `row`: its element becomes the selection and the project's display
    // language becomes the row's, so that the surface shows the text in question. Returns the
    // element, or null when the row names none or it is gone.
    SnapShotItem* Open(Workspace& ws, int row) const;

private:
    SnapShotItem* Live(Workspace& ws, const void* element) const;

    std::vector<Row> m_rows;
    std::size_t m_problems = 0;
};

} // namespace editing

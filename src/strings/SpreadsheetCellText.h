#pragma once

#include <string>

// How the spreadsheet route writes the cells of a workbook as text.
namespace strings {

// Returns a number as a person would have typed it: integers without a fraction,
// anything else in the shortest form that reads back to the same double.
std::string formatNumber(double value);

// What part of a date-time serial number a cell's format shows.
enum class SerialShown
{
    Date,
    Time,
    DateTime,
};

// Returns the day serial `serial` (days since the workbook's epoch, the fraction being
// the time of day) as YYYY-MM-DD, HH:MM:SS or both. `from1904` selects the 1904 epoch;
// otherwise the 1900 one, with its day 60 (the 29th of February 1900 that never was).
std::string serialDateText(double serial, bool from1904, SerialShown shown);

// Returns `text` made safe for one cell of a tab-separated line: every line break
// (CR LF, LF or CR) becomes "[CR]" and every tab a space.
std::string tabSafeCellText(const std::string& text);

} // namespace strings

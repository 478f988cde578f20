#pragma once

#include <string>

namespace xls2txt {

// Returns a number as a person would have typed it: integers without a fraction,
// anything else in the shortest form that reads back to the same double.
std::string formatNumber(double value);

// Returns `text` made safe for one cell of a tab-separated line: every line break
// (CR LF, LF or CR) becomes "[CR]" and every tab a space.
std::string cellText(const std::string& text);

} // namespace xls2txt

#pragma once

#include <string>
#include <vector>

// One cell of a worksheet as the spreadsheet readers hand it out: its text (UTF-8) and
// whether the sheet stored it as text. Numbers, dates, booleans and error values are
// given as text too, formatted, but may not read back as the translator typed them.
struct SpreadsheetCell
{
    std::string text;
    bool isText = true;
};

using SpreadsheetRow = std::vector<SpreadsheetCell>;

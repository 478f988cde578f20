#pragma once

#include <string>

// Runs the spreadsheet-to-text converter (the SDK tool "xls2txt") as a child process
// into an output file of its own, so that conversions can run side by side. The output
// file is removed when the converter object goes away.
class SpreadsheetConverter
{
public:
    // `program` is the converter's path; empty means "xls2txt" in the program's directory.
    explicit SpreadsheetConverter(std::string program = {});
    ~SpreadsheetConverter();
    SpreadsheetConverter(const SpreadsheetConverter&) = delete;
    SpreadsheetConverter& operator=(const SpreadsheetConverter&) = delete;

    // Converts `spreadsheet` and waits for the converter to end. Returns true when it
    // ended with status 0; otherwise Error() holds a message for the user.
    bool Convert(const std::string& spreadsheet);

    // The converted text file, valid after a successful Convert.
    const std::string& OutputPath() const { return m_output; }
    const std::string& Error() const { return m_error; }
    const std::string& Program() const { return m_program; }

private:
    void removeOutput();

    std::string m_program;
    std::string m_output;
    std::string m_error;
};

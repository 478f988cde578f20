// .csv string files are hand-edited text. The reader may neither crash nor hang; a text
// it accepts reads as UTF-8 cells that, written back and read again, stay the same.

#include "strings/SpreadsheetCsvTable.h"
#include "strings/SpreadsheetWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    SpreadsheetCsvTable table;
    std::vector<SpreadsheetRow> rows;
    if (!table.Read(bytes, rows)) {
        if (!rows.empty() || table.Error().empty()) {
            std::abort();
        }
        return 0;
    }
    SpreadsheetWriter::Table texts;
    for (const SpreadsheetRow& row : rows) {
        auto& out = texts.emplace_back();
        for (const SpreadsheetCell& cell : row) {
            out.push_back(cell.text);
        }
    }
    std::vector<SpreadsheetRow> again;
    if (!table.Read(SpreadsheetWriter::CsvText(texts), again) || again.size() != rows.size()) {
        std::abort();
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (again[r].size() != rows[r].size()) {
            std::abort();
        }
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            if (again[r][c].text != rows[r][c].text) {
                std::abort();
            }
        }
    }
    return 0;
}

// .xlsx string files come from translators and whatever program they used: the archive
// and every XML part in it may hold anything. The reader may neither crash nor hang, and
// what it reads is a sheet within the workbook's limits, or nothing at all.

#include "strings/SpreadsheetXlsxBook.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    SpreadsheetXlsxBook book;
    std::vector<SpreadsheetRow> rows;
    if (!book.ReadFirstSheet(bytes, rows)) {
        if (!rows.empty() || book.Error().empty()) {
            std::abort();
        }
        return 0;
    }
    if (rows.size() > 1048576) {
        std::abort();
    }
    for (const SpreadsheetRow& row : rows) {
        if (row.size() > 16384 || (!row.empty() && row.back().text.empty())) {
            std::abort();
        }
    }
    return 0;
}

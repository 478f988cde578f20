// .xls files are read by the spreadsheet converter from wherever the user keeps them:
// the container and the workbook records may hold anything, and neither reader may
// crash, hang or read outside the file. Whatever is read is a sheet of bounded size.

#include "strings/SpreadsheetBiffBook.h"
#include "strings/SpreadsheetCompoundFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string stream;
    SpreadsheetCompoundFile container;
    if (container.Open(bytes) && container.ReadStream("Workbook", stream)) {
        if (stream.size() > size) {
            std::abort();
        }
    } else {
        // Also feed the input to the record reader directly, so that the fuzzer does
        // not have to build a container to reach it.
        stream.assign(bytes);
    }
    SpreadsheetBiffBook book;
    std::vector<SpreadsheetBiffBook::Row> rows;
    if (book.ReadFirstSheet(stream, rows) == SpreadsheetBiffBook::Result::Read) {
        if (rows.size() > 65536) {
            std::abort();
        }
        for (const auto& row : rows) {
            if (row.size() > 256) {
                std::abort();
            }
        }
    } else if (!rows.empty()) {
        std::abort();
    }
    return 0;
}

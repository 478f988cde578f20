// Imports arbitrary files by the text route of the string table import, twice into
// the same list. Every name must be listed once, cut to eight bytes, numbered in
// order, with at most 40 texts free of line feeds; the second import adds nothing.

#include "model/StringRegistry.h"
#include "strings/StringTableImport.h"

#include "FuzzScratchFile.h"

#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void checkList(const StringRegistry& list, std::uint32_t firstId, std::uint32_t next)
{
    const auto& records = list.Records();
    check(next == firstId + records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const StringRecord& record = records[i];
        check(record.number == firstId + i);
        check(!record.identifier.empty() && record.identifier.size() <= 8);
        check(list.Find(record.identifier) == static_cast<int>(i));
        check(record.textCount <= StringRecord::kLanguages);
        for (const std::string& text : record.texts) {
            check(text.find('\n') == std::string::npos);
        }
    }
    for (const std::string& name : list.LanguageNames()) {
        check(name.find('\n') == std::string::npos);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzScratchFile scratch;
    const std::string& path = scratch.hold(data, size);
    const StringTableImport import;
    StringRegistry list;
    const std::uint32_t next = import.ImportText(list, path, 10);
    checkList(list, 10, next);
    check(import.ImportText(list, path, 1) == next);
    checkList(list, 10, next);
    return 0;
}

// Reads arbitrary bytes as the editor's settings file and changes one key: the text comes
// back byte for byte, a stored value reads back as given, and no other key changes.

#include "platform/AsciiCase.h"
#include "platform/IniFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <map>
#include <string>
#include <utility>

namespace {

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

using Values = std::map<std::pair<std::string, std::string>, std::string>;

// Every key as value() sees it, sections and keys trimmed.
Values valuesOf(const platform::IniFile& file)
{
    Values values;
    std::vector<std::string> sections = file.sections();
    sections.emplace_back();
    for (const std::string& section : sections) {
        for (const std::string& key : file.keys(section)) {
            const std::optional<std::string> value = file.value(section, key);
            check(value.has_value());
            values.emplace(std::make_pair(section, key), *value);
        }
    }
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(16);
    const std::string key = input.ConsumeRandomLengthString(16);
    const std::string value = input.ConsumeRandomLengthString(32);
    const std::string text = input.ConsumeRemainingBytesAsString();

    platform::IniFile file;
    file.setText(text);
    check(file.text() == text);
    const Values before = valuesOf(file);

    if (!file.setValue(section, key, value)) {
        check(file.text() == text);
        return 0;
    }
    check(file.value(section, key) == value);
    platform::IniFile reread;
    reread.setText(file.text());
    check(reread.value(section, key) == value);
    for (const auto& [name, old] : before) {
        const bool changedKey = platform::equalsIgnoreAsciiCase(name.first, trimmed(section)) &&
                                platform::equalsIgnoreAsciiCase(name.second, trimmed(key));
        if (!changedKey) {
            check(reread.value(name.first, name.second) == old);
        }
    }
    return 0;
}

#include "projectfile/KeyTable.h"

#include "platform/Path.h"
#include "projectfile/DefinitionFile.h"

#include <utility>

namespace {

const DefinitionFileLayout kLayout{"keydefs", "keydef", "name", "value"};

constexpr int kBuiltInKeyCount = 16;

std::vector<DefinitionEntry> builtInEntries()
{
    std::vector<DefinitionEntry> entries;
    for (int key = 1; key <= kBuiltInKeyCount; ++key) {
        entries.push_back({"key" + std::to_string(key), key});
    }
    return entries;
}

KeyTable tableOrBuiltIn(std::optional<std::vector<DefinitionEntry>> entries)
{
    return entries ? KeyTable(std::move(*entries)) : KeyTable();
}

} // namespace

KeyTable::KeyTable() : m_entries(builtInEntries()) {}

KeyTable::KeyTable(std::vector<DefinitionEntry> entries) : m_entries(std::move(entries)) {}

KeyTable KeyTable::readFromDirectory(const std::string& directory)
{
    // As for the element classes: no program directory, no file.
    if (directory.empty()) {
        return KeyTable();
    }
    return tableOrBuiltIn(readDefinitionEntries(platform::joinPath(directory, kFileName), kLayout));
}

KeyTable KeyTable::fromText(std::string_view xml)
{
    return tableOrBuiltIn(parseDefinitionEntries(xml, kLayout));
}

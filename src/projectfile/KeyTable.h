#pragma once

#include "projectfile/DefinitionEntry.h"

#include <string>
#include <string_view>
#include <vector>

// The device keys a scene can map, read from "keydef.xml" beside the program: each entry a
// key name and its value. Without a usable file the built-in table applies.
class KeyTable
{
public:
    static constexpr std::string_view kFileName = "keydef.xml";

    // The built-in table: "key1" = 1 to "key16" = 16.
    KeyTable();
    explicit KeyTable(std::vector<DefinitionEntry> entries);

    // Returns the table of "keydef.xml" in `directory` (the program directory): the entries of
    // a file whose root is "keydefs", even none; the built-in table when `directory` is empty
    // or the file is missing, malformed or has another root.
    static KeyTable readFromDirectory(const std::string& directory);
    // As readFromDirectory, for the file's content.
    static KeyTable fromText(std::string_view xml);

    const std::vector<DefinitionEntry>& entries() const { return m_entries; }

private:
    std::vector<DefinitionEntry> m_entries;
};

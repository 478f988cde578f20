#include "projectfile/ElementClassTable.h"

#include "platform/Path.h"
#include "projectfile/DefinitionFile.h"

#include <utility>

namespace {

const DefinitionFileLayout kLayout{"widgetdefs", "widgetdef", "class", "type"};

std::vector<DefinitionEntry> builtInEntries()
{
    return {{"picregion_resource", ElementClassTable::kPictureRegion},
            {"picture_resource", ElementClassTable::kPicture},
            {"string_resource", ElementClassTable::kString},
            {"resgroup_resource", ElementClassTable::kResourceGroup}};
}

ElementClassTable tableOrBuiltIn(std::optional<std::vector<DefinitionEntry>> entries)
{
    return entries ? ElementClassTable(std::move(*entries)) : ElementClassTable();
}

} // namespace

ElementClassTable::ElementClassTable() : m_entries(builtInEntries()) {}

ElementClassTable::ElementClassTable(std::vector<DefinitionEntry> entries)
    : m_entries(std::move(entries))
{
}

ElementClassTable ElementClassTable::readFromDirectory(const std::string& directory)
{
    // Without a program directory there is no file to read: a relative name would be looked
    // up in whatever the current directory happens to be.
    if (directory.empty()) {
        return ElementClassTable();
    }
    const std::string path = platform::joinPath(directory, kFileName);
    return tableOrBuiltIn(readDefinitionEntries(path, kLayout));
}

ElementClassTable ElementClassTable::fromText(std::string_view xml)
{
    return tableOrBuiltIn(parseDefinitionEntries(xml, kLayout));
}

std::string ElementClassTable::className(int widgetType) const
{
    for (const DefinitionEntry& entry : m_entries) {
        if (entry.value == widgetType) {
            return entry.name;
        }
    }
    return std::string(kFallbackClassName);
}

std::optional<int> ElementClassTable::findWidgetType(std::string_view className) const
{
    for (const DefinitionEntry& entry : m_entries) {
        if (entry.name == className) {
            return entry.value;
        }
    }
    return std::nullopt;
}

int ElementClassTable::readingWidgetType(std::string_view className) const
{
    const std::optional<int> type = findWidgetType(className);
    if (type && (*type == kPicture || *type == kPictureRegion || *type == kString)) {
        return *type;
    }
    return kResourceGroup;
}

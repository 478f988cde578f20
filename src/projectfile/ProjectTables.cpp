#include "projectfile/ProjectTables.h"

#include "platform/ProgramDirectory.h"
#include "projectfile/KeyTable.h"

namespace projectfile {

void ReadDefinitionTables(APStyleProject& project, const std::string& directory)
{
    auto& classes = project.ElementClasses();
    classes.clear();
    const ElementClassTable classTable = ElementClassTable::readFromDirectory(directory);
    for (const DefinitionEntry& entry : classTable.entries()) {
        classes.push_back({entry.name, entry.value});
    }
    auto& keys = project.Keys();
    keys.clear();
    const KeyTable keyTable = KeyTable::readFromDirectory(directory);
    for (const DefinitionEntry& entry : keyTable.entries()) {
        keys.push_back({entry.name, entry.value});
    }
}

ElementClassTable ClassTableOf(APStyleProject& project)
{
    if (project.ElementClasses().empty() && project.Keys().empty()) {
        ReadDefinitionTables(project, platform::programDirectory());
    }
    std::vector<DefinitionEntry> entries;
    entries.reserve(project.ElementClasses().size());
    for (const ElementClass& entry : project.ElementClasses()) {
        entries.push_back({entry.name, entry.widgetType});
    }
    return ElementClassTable(std::move(entries));
}

} // namespace projectfile

#pragma once

#include "projectfile/DefinitionEntry.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The element classes: which "class" value the project file gives each kind of element, read
// from "widgetdef.xml" beside the program. Each entry's name is a class name and its value a
// widget type. Without a usable file the built-in table applies.
class ElementClassTable
{
public:
    // Widget types of the definition file.
    static constexpr int kPicture = 1;
    static constexpr int kPictureRegion = 2;
    static constexpr int kString = 3;
    static constexpr int kResourceGroup = 4;

    static constexpr std::string_view kFileName = "widgetdef.xml";
    // Written for a widget type that has no entry.
    static constexpr std::string_view kFallbackClassName = "resgroup_resource";

    // The built-in table: picregion_resource 2, picture_resource 1, string_resource 3,
    // resgroup_resource 4, in that order.
    ElementClassTable();
    explicit ElementClassTable(std::vector<DefinitionEntry> entries);

    // Returns the table of "widgetdef.xml" in `directory` (the program directory): the entries
    // of a file whose root is "widgetdefs", even none; the built-in table when `directory` is
    // empty or the file is missing, malformed or has another root.
    static ElementClassTable readFromDirectory(const std::string& directory);
    // As readFromDirectory, for the file's content.
    static ElementClassTable fromText(std::string_view xml);

    const std::vector<DefinitionEntry>& entries() const { return m_entries; }

    // Returns the class name to write for `widgetType`: that of the first entry of the type,
    // else kFallbackClassName.
    std::string className(int widgetType) const;
    // Returns the widget type of the first entry named exactly `className` (case counts), or
    // nothing when no entry has that name.
    std::optional<int> findWidgetType(std::string_view className) const;
    // Returns what a node of class `className` is read as: kPicture, kPictureRegion or kString
    // when its entry says so; kResourceGroup for every other type and for unknown names.
    int readingWidgetType(std::string_view className) const;

private:
    std::vector<DefinitionEntry> m_entries;
};

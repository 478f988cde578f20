#pragma once

#include "projectfile/DefinitionEntry.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The shape shared by "widgetdef.xml" and "keydef.xml": a root element holding one child per
// entry, each with a name attribute and a decimal value attribute.
struct DefinitionFileLayout
{
    std::string_view root;
    std::string_view child;
    std::string_view nameAttribute;
    std::string_view valueAttribute;
};

// Returns the entries of a definition document given as UTF-8 text, in document order: one
// per `layout.child` child of the root that carries both attributes (others are skipped).
// Returns nothing when the text does not parse, has no root element or the root is not
// `layout.root`; an empty list when the root is right but no child qualifies.
std::optional<std::vector<DefinitionEntry>>
parseDefinitionEntries(std::string_view text, const DefinitionFileLayout& layout);

// As parseDefinitionEntries, for the file at `path`; nothing when it cannot be read either.
std::optional<std::vector<DefinitionEntry>>
readDefinitionEntries(const std::string& path, const DefinitionFileLayout& layout);

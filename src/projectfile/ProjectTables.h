#pragma once

#include "model/APStyleProject.h"
#include "projectfile/ElementClassTable.h"

#include <string>

namespace projectfile {

// Fills the project's element-class and key tables from "widgetdef.xml" and "keydef.xml"
// in `directory` (the built-in tables where a file is missing or unusable).
void ReadDefinitionTables(APStyleProject& project, const std::string& directory);

// Returns the project's element-class table. A project that has read no definition files
// yet (both tables empty: a new project) reads them from the program directory first.
ElementClassTable ClassTableOf(APStyleProject& project);

} // namespace projectfile

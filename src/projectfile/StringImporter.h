#pragma once

#include "model/APStyleProject.h"

namespace projectfile {

// Returns the importer a load's missing-strings check reads the project's string files
// with: the string table import.
StringFileImporter DefaultStringImporter(APStyleProject& project);

} // namespace projectfile

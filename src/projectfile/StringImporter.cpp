#include "projectfile/StringImporter.h"

namespace projectfile {

StringFileImporter DefaultStringImporter(APStyleProject&)
{
    // The string table import is not part of this build yet: without an importer every
    // string of the project counts as missing.
    return {};
}

} // namespace projectfile

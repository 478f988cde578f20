#include "projectfile/StringImporter.h"

#include "strings/StringTableImport.h"

namespace projectfile {

StringFileImporter DefaultStringImporter(APStyleProject& project)
{
    return StringTableImport(&project).ScratchImporter();
}

} // namespace projectfile

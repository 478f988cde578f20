#include "projectfile/LoadFailureReason.h"

#include "platform/FileSystem.h"
#include "projectfile/ProjectFileReader.h"

#include <system_error>

namespace projectfile {

std::string LoadFailureReason(const std::string& path, const ProjectFileReader& reader)
{
    // The reader says only that the file is no project file; say why when it cannot
    // even be read.
    std::error_code error;
    if (!platform::readFile(path, &error)) {
        return error ? error.message() : "the file cannot be read";
    }
    return reader.ErrorString();
}

} // namespace projectfile

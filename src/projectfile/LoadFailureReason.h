#pragma once

#include <string>

class ProjectFileReader;

namespace projectfile {

// Why `reader` could not load the project file at `path`: the system's reason when the file
// cannot even be read (missing, a directory, no permission), else the reader's own message.
std::string LoadFailureReason(const std::string& path, const ProjectFileReader& reader);

} // namespace projectfile

#pragma once

#include "model/APStyleProject.h"

#include <memory>
#include <string>

// Reads a ".ui" project file into a project: settings, desktop settings, the resource
// registries and the scenes with their element trees. The parsed document stays in the
// project (APStyleProject::Document()), brought up to date where the file used an older
// form, so that the writer can update it in place.
//
// Failures are shown to the user through platform::interaction() with the texts and
// captions of the format; a failed load leaves the project partly filled, and the caller
// discards it. The project is the current project while it loads.
class ProjectFileReader
{
public:
    // `project` must outlive the reader.
    explicit ProjectFileReader(APStyleProject& project);
    ~ProjectFileReader();
    ProjectFileReader(const ProjectFileReader&) = delete;
    ProjectFileReader& operator=(const ProjectFileReader&) = delete;

    // Where "widgetdef.xml" and "keydef.xml" are read; platform::programDirectory() when
    // not set.
    void SetDefinitionDirectory(const std::string& directory);
    // The importer the missing-strings check reads the project's string files with; the
    // string table import when not set.
    void SetStringImporter(StringFileImporter importer);

    // Reads the project file at `path` (a relative path is taken from the current
    // directory). Returns 1 on success, 0 on failure.
    int Load(const std::string& path);

    // Why the last Load failed (the text the user was shown); empty after a success.
    const std::string& ErrorString() const;

private:
    class Impl;
    std::unique_ptr<Impl> d;
};

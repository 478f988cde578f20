#pragma once

#include "model/APStyleProject.h"

#include <memory>
#include <string>

// Writes a project into the XML document it keeps (APStyleProject::Document()) and prints
// that document to the project file. The document is updated in place: scene and element
// nodes are found by identifier (indexed once per save), their properties replaced where
// they stand, nodes of new objects appended, nodes of deleted ones removed, and every
// node and attribute the writer does not own left as it was. The resource section is
// rebuilt as the root's last child. Printing keeps the classic form: one element per line,
// four spaces a level, " />", CR LF, and the byte-order mark of a file that had one.
class ProjectFileWriter
{
public:
    // `project` must outlive the writer.
    explicit ProjectFileWriter(APStyleProject& project);
    ~ProjectFileWriter();
    ProjectFileWriter(const ProjectFileWriter&) = delete;
    ProjectFileWriter& operator=(const ProjectFileWriter&) = delete;

    // Pictures also take their width and height from their files (the unattended build).
    void SetSizePicturesFromFiles(bool on);

    // Writes the model into the document. Pictures that are shown take their format byte
    // from their file's header; a scene whose identifier an earlier scene carries gets a
    // new one.
    void UpdateDocument();

    // Makes `path` the document's file, UpdateDocument(), then writes the file without ever
    // leaving a half-written one (a file beside it renamed over it). Returns 1, or 0 when
    // the file could not be written; the previous file is then intact and ErrorString()
    // says why. The modified flag is not changed.
    int Save(const std::string& path);

    const std::string& ErrorString() const;

private:
    class Impl;
    std::unique_ptr<Impl> d;
};

#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class APStyleProject;

// Old and new identifier pairs of the renumber command.
using IdRenumbering = std::vector<std::pair<std::uint32_t, std::uint32_t>>;

// How a project reaches its project file. Reading and writing need the definition files,
// the settings and the string import, which live in layers above the model; those layers
// implement this interface and install it once at start-up
// (projectfile::InstallProjectFileIo()). APStyleProject's Load, Save, UpdateDocument,
// SwapInDocument and RenumberInDocument forward here.
class ProjectFileIo
{
public:
    virtual ~ProjectFileIo() = default;

    // Reads the project file at `path` into `project`. Returns 1, or 0 after a message.
    virtual int Load(APStyleProject& project, const std::string& path) = 0;
    // Writes the model into the project's retained document.
    virtual void UpdateDocument(APStyleProject& project) = 0;
    // UpdateDocument, then prints the document to `path`. Returns 1, or 0 when the file
    // could not be written (the previous file is then intact).
    virtual int Save(APStyleProject& project, const std::string& path) = 0;
    // Exchanges the document nodes of two sibling scenes or elements. Returns 0, -1 when
    // no node carries `idA`, -2 when no sibling of it carries `idB`.
    virtual int SwapInDocument(APStyleProject& project, std::uint32_t idA, std::uint32_t idB) = 0;
    // Rewrites the "id" properties of the document's scenes and elements.
    virtual void RenumberInDocument(APStyleProject& project, const IdRenumbering& pairs) = 0;
};

// The installed implementation, or null before projectfile installed one. Not owned.
ProjectFileIo* projectFileIo();
// Installs `io` (not owned; it must outlive every project). Null uninstalls.
void setProjectFileIo(ProjectFileIo* io);

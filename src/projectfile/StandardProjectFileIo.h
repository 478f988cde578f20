#pragma once

#include "model/ProjectFileIo.h"

// The project file reader and writer of this layer behind the model's ProjectFileIo seam:
// APStyleProject::Load reads with ProjectFileReader (definition files from the program
// directory, the string table import for the missing-strings check), Save writes with
// ProjectFileWriter.
class StandardProjectFileIo : public ProjectFileIo
{
public:
    int Load(APStyleProject& project, const std::string& path) override;
    void UpdateDocument(APStyleProject& project) override;
    int Save(APStyleProject& project, const std::string& path) override;
    int SwapInDocument(APStyleProject& project, std::uint32_t idA, std::uint32_t idB) override;
    void RenumberInDocument(APStyleProject& project, const IdRenumbering& pairs) override;

    // Saves also size pictures from their files: set when the editor builds a project given
    // on its command line.
    void SetSizePicturesFromFiles(bool on) { m_sizePicturesFromFiles = on; }

private:
    bool m_sizePicturesFromFiles = false;
};

namespace projectfile {

// Installs the process-wide StandardProjectFileIo, so that APStyleProject's Load and Save
// work. Programs call it once at start; calling it again changes nothing. Returns the
// installed object, which lives as long as the process.
StandardProjectFileIo& InstallProjectFileIo();

} // namespace projectfile

#include "projectfile/StandardProjectFileIo.h"

#include "model/APStyleProject.h"
#include "projectfile/DocumentEdits.h"
#include "projectfile/ProjectFileReader.h"
#include "projectfile/ProjectFileWriter.h"

int StandardProjectFileIo::Load(APStyleProject& project, const std::string& path)
{
    return ProjectFileReader(project).Load(path);
}

void StandardProjectFileIo::UpdateDocument(APStyleProject& project)
{
    ProjectFileWriter writer(project);
    writer.SetSizePicturesFromFiles(m_sizePicturesFromFiles);
    writer.UpdateDocument();
}

int StandardProjectFileIo::Save(APStyleProject& project, const std::string& path)
{
    ProjectFileWriter writer(project);
    writer.SetSizePicturesFromFiles(m_sizePicturesFromFiles);
    return writer.Save(path);
}

int StandardProjectFileIo::SwapInDocument(APStyleProject& project, std::uint32_t idA,
                                          std::uint32_t idB)
{
    return projectfile::SwapInDocument(project.Document(), idA, idB);
}

void StandardProjectFileIo::RenumberInDocument(APStyleProject& project, const IdRenumbering& pairs)
{
    projectfile::RenumberInDocument(project.Document(), pairs);
}

namespace projectfile {

StandardProjectFileIo& InstallProjectFileIo()
{
    static StandardProjectFileIo io;
    setProjectFileIo(&io);
    return io;
}

} // namespace projectfile

// Feeds arbitrary bytes to the project file reader as "p.ui" in a folder that has the case
// and SDK directories it names, so that inputs get past the directory checks into the
// scenes and elements. A loaded project is written back into its document and printed, and
// the move and renumber edits run on it. An input TinyXML cannot parse must end in the
// malformed-file message.
#include "model/APStyleProject.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"
#include "projectfile/DocumentEdits.h"
#include "projectfile/DocumentPrinter.h"
#include "projectfile/ProjectFileReader.h"
#include "projectfile/ProjectFileWriter.h"

#include <tinyxml.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// In shared memory when there is some: inputs are written at a high rate.
struct Folder
{
    Folder()
    {
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        pattern += "/skinsmith-fuzz-project-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::abort();
        }
        path = pattern;
        platform::createDirectories(path + "/case/images/apps/p");
        platform::createDirectories(path + "/psp_rel");
    }
    ~Folder() { platform::removeRecursively(path); }
    std::string path;
};

// Plain stdio: a crash-safe write would sync every input to disk.
void WriteInput(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(data, 1, size, file) != size) {
        std::abort();
    }
    std::fclose(file);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Folder folder;
    const std::string path = folder.path + "/p.ui";
    WriteInput(path, data, size);
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    APStyleProject project;
    ProjectFileReader reader(project);
    reader.SetDefinitionDirectory(folder.path);
    if (!reader.Load(path)) {
        const TiXmlDocument& document = project.Document();
        const bool malformed = document.Error() || !document.RootElement();
        if (malformed && reader.ErrorString() != "ui文件格式不正确") {
            std::fprintf(stderr, "unparsable input failed with: %s\n",
                         reader.ErrorString().c_str());
            std::abort();
        }
        return 0;
    }
    ProjectFileWriter(project).UpdateDocument();
    (void)projectfile::PrintProjectDocument(project.Document());
    const std::uint32_t a = size > 0 ? data[0] % 16 : 0;
    const std::uint32_t b = size > 1 ? data[size - 1] % 16 : 1;
    (void)projectfile::SwapInDocument(project.Document(), a, b);
    projectfile::RenumberInDocument(project.Document(), {{a, b + 100}, {b, a}});
    return 0;
}

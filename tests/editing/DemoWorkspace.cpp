#include "DemoWorkspace.h"

#include "platform/FileSystem.h"
#include "projectfile/DocumentPrinter.h"
#include "projectfile/ProjectFileReader.h"
#include "projectfile/ProjectFileWriter.h"
#include "projectfile/StandardProjectFileIo.h"

#include <filesystem>
#include <memory>

namespace {

// One copy of the example for the whole test program: loading only reads it, and every
// workspace saves into its own directory.
const std::string& DemoCopy(std::string& error)
{
    static platform::TemporaryDirectory copy{"editing-demo-source"};
    static const std::string failure = [] {
        std::error_code failed;
        std::filesystem::copy(std::string(SKINSMITH_SOURCE_DIR) + "/examples/demo",
                              copy.filePath("demo"), std::filesystem::copy_options::recursive,
                              failed);
        return failed ? failed.message() : std::string();
    }();
    static const std::string path = copy.filePath("demo/demo.ui");
    error = failure;
    return path;
}

} // namespace

DemoWorkspace::DemoWorkspace()
{
    projectfile::InstallProjectFileIo();
    platform::createDirectories(dir.filePath("defs"));
    const std::string& path = DemoCopy(error);
    sourcePath = path;
    if (!error.empty()) {
        return;
    }
    auto loaded = std::make_unique<APStyleProject>();
    ProjectFileReader reader(*loaded);
    reader.SetDefinitionDirectory(dir.filePath("defs"));
    if (!reader.Load(path)) {
        error = reader.ErrorString();
        return;
    }
    project = &ws.OpenProject(std::move(loaded));
    sink.clear();
}

std::string DemoWorkspace::Save(const std::string& name)
{
    const std::string path = dir.filePath(name);
    ProjectFileWriter writer(*project);
    if (!writer.Save(path)) {
        return "<not saved>";
    }
    return platform::readFile(path).value_or("<not saved>");
}

std::string DemoWorkspace::Print()
{
    ProjectFileWriter(*project).UpdateDocument();
    return projectfile::PrintProjectDocument(project->Document());
}

editing::TreeNode* DemoWorkspace::Node(const std::string& path)
{
    const auto& roots = ws.Tree().Roots();
    return roots.empty() ? nullptr : ws.Tree().FindByPath(roots.front()->label + "/" + path);
}

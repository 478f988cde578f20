#include "DemoWorkspace.h"

#include "platform/FileSystem.h"
#include "projectfile/ProjectFileReader.h"
#include "projectfile/ProjectFileWriter.h"
#include "projectfile/StandardProjectFileIo.h"

#include <filesystem>
#include <memory>

DemoWorkspace::DemoWorkspace()
{
    projectfile::InstallProjectFileIo();
    namespace fs = std::filesystem;
    std::error_code failed;
    fs::copy(std::string(SKINSMITH_SOURCE_DIR) + "/examples/demo", dir.filePath("demo"),
             fs::copy_options::recursive, failed);
    platform::createDirectories(dir.filePath("defs"));
    if (failed) {
        error = failed.message();
        return;
    }
    auto loaded = std::make_unique<APStyleProject>();
    ProjectFileReader reader(*loaded);
    reader.SetDefinitionDirectory(dir.filePath("defs"));
    if (!reader.Load(dir.filePath("demo/demo.ui"))) {
        error = reader.ErrorString();
        return;
    }
    project = &ws.OpenProject(std::move(loaded));
    sink.clear();
}

std::string DemoWorkspace::Save(const std::string& name)
{
    const std::string path = dir.filePath("demo/" + name);
    ProjectFileWriter writer(*project);
    if (!writer.Save(path)) {
        return "<not saved>";
    }
    return platform::readFile(path).value_or("<not saved>");
}

editing::TreeNode* DemoWorkspace::Node(const std::string& path)
{
    const auto& roots = ws.Tree().Roots();
    return roots.empty() ? nullptr : ws.Tree().FindByPath(roots.front()->label + "/" + path);
}

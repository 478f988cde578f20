#include "DemoWorkspace.h"

#include "platform/FileSystem.h"
#include "projectfile/DocumentPrinter.h"
#include "projectfile/ProjectFileReader.h"
#include "projectfile/ProjectFileWriter.h"
#include "projectfile/StandardProjectFileIo.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>

namespace {

// A 24-bit BMP of `width` x `height` grey pixels (rows padded to four bytes).
std::string GreyBmp(int width, int height)
{
    const int row = (width * 3 + 3) / 4 * 4;
    const std::uint32_t size = 54 + static_cast<std::uint32_t>(row * height);
    std::string bytes(size, '\x80');
    const auto put = [&bytes](std::size_t at, std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
        }
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, size, 4);
    std::fill(bytes.begin() + 6, bytes.begin() + 10, '\0');
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(width), 4);
    put(22, static_cast<std::uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    // No compression, no palette, no resolution: bytes 30..53 stay zero.
    std::fill(bytes.begin() + 30, bytes.begin() + 54, '\0');
    return bytes;
}

// Copies the example below `copy`; with `replacedArtwork` every picture file gets other bytes
// of another size under its own name. Returns "" or why the copy failed.
std::string CopyDemo(platform::TemporaryDirectory& copy, bool replacedArtwork)
{
    namespace fs = std::filesystem;
    std::error_code failed;
    fs::copy(std::string(SKINSMITH_SOURCE_DIR) + "/examples/demo", copy.filePath("demo"),
             fs::copy_options::recursive, failed);
    if (failed || !replacedArtwork) {
        return failed ? failed.message() : std::string();
    }
    const std::string picture = GreyBmp(13, 11);
    for (const auto& entry : fs::recursive_directory_iterator(copy.filePath("demo"))) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() &&
            (extension == ".png" || extension == ".jpg" || extension == ".bmp") &&
            !platform::writeFileAtomically(entry.path().string(), picture)) {
            return "cannot replace " + entry.path().string();
        }
    }
    return {};
}

// One copy of the example (and one with replaced artwork) for the whole test program:
// loading only reads it, and every workspace saves into its own directory.
const std::string& DemoCopy(bool replacedArtwork, std::string& error)
{
    static platform::TemporaryDirectory copy{"editing-demo-source"};
    static platform::TemporaryDirectory replaced{"editing-demo-replaced"};
    static const std::string failure = CopyDemo(copy, false);
    static const std::string path = copy.filePath("demo/demo.ui");
    if (replacedArtwork) {
        static const std::string replacedFailure = CopyDemo(replaced, true);
        static const std::string replacedPath = replaced.filePath("demo/demo.ui");
        error = replacedFailure;
        return replacedPath;
    }
    error = failure;
    return path;
}

} // namespace

DemoWorkspace::DemoWorkspace(bool replacedArtwork)
{
    projectfile::InstallProjectFileIo();
    platform::createDirectories(dir.filePath("defs"));
    const std::string& path = DemoCopy(replacedArtwork, error);
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

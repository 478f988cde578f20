#include "generate/BatchBuildDialogModel.h"

#include "platform/ChildProcess.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/ProgramDirectory.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <utility>

namespace generate {

BatchBuildDialogModel::BatchBuildDialogModel(std::string caseDirectory)
    : m_caseDirectory(std::move(caseDirectory))
{
    if (!m_caseDirectory.empty()) {
        const std::string apps = platform::joinPath(m_caseDirectory, "apps");
        if (platform::isDirectory(apps)) {
            appsDirectory = apps;
        }
    }
}

bool BatchBuildDialogModel::browse()
{
    const std::optional<std::string> folder =
        platform::interaction().chooseFolder(platform::uiText("请选择apps路径"), m_caseDirectory);
    if (!folder) {
        return false;
    }
    appsDirectory = *folder;
    return true;
}

std::string BatchBuildDialogModel::builderPath()
{
    return platform::programDirectory() + "resBuildApp";
}

std::vector<std::string> BatchBuildDialogModel::arguments() const
{
    std::vector<std::string> argv{builderPath()};
    const std::vector<std::string> switches = switchArguments();
    argv.insert(argv.end(), switches.begin(), switches.end());
    return argv;
}

std::vector<std::string> BatchBuildDialogModel::switchArguments() const
{
    std::vector<std::string> argv;
    if (resourceFile) {
        argv.emplace_back("-res");
    }
    if (styleFile) {
        argv.emplace_back("-sty");
    }
    if (styleHeader) {
        argv.emplace_back("-styhead");
    }
    if (desktopFile) {
        argv.emplace_back("-desktop");
    }
    if (!bestQuality) {
        argv.emplace_back("-minsize");
    }
    argv.push_back(appsDirectory);
    return argv;
}

std::string BatchBuildDialogModel::builderProblem(const std::string& path)
{
    if (!platform::pathExists(path)) {
        return startFailureMessage(ENOENT);
    }
    if (!platform::isFile(path) || ::access(path.c_str(), X_OK) != 0) {
        return startFailureMessage(ENOEXEC);
    }
    // The kernel starts compiled programs and "#!" scripts; anything else would fail to start
    // only after the dialog had promised a build.
    char magic[4] = {};
    std::ifstream file(path, std::ios::binary);
    file.read(magic, sizeof magic);
    const std::streamsize got = file.gcount();
    const bool elf = got == 4 && std::memcmp(magic,
                                             "\x7f"
                                             "ELF",
                                             4) == 0;
    const bool script = got >= 2 && magic[0] == '#' && magic[1] == '!';
    return elf || script ? std::string() : startFailureMessage(ENOEXEC);
}

std::string BatchBuildDialogModel::startFailureMessage(int error)
{
    switch (error) {
    case 0:
        return {};
    case ENOENT:
    case ENOTDIR:
        return platform::uiText("找不到resBuildApp.exe！");
    case ENOEXEC:
    case EACCES:
        return platform::uiText("resBuildApp.exe格式错误！");
    default:
        return {};
    }
}

BatchBuildDialogModel::Result BatchBuildDialogModel::build() const
{
    if (appsDirectory.empty()) {
        platform::interaction().showMessage(platform::uiText("请指定路径!"));
        return Result::StayOpen;
    }
    platform::ChildProcess builder;
    if (builder.start(arguments())) {
        builder.detach();
        return Result::Close;
    }
    const std::string message = startFailureMessage(builder.startError());
    if (!message.empty()) {
        platform::interaction().showMessage(message);
    }
    return Result::Close;
}

} // namespace generate

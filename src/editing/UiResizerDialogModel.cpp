#include "editing/UiResizerDialogModel.h"

#include "platform/AsciiCase.h"
#include "platform/ChildProcess.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/ProgramDirectory.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

#include <cstdio>
#include <thread>

namespace editing {

UiResizerDialogModel::UiResizerDialogModel(const std::string& caseDirectory)
{
    if (!caseDirectory.empty()) {
        sourceAppsDirectory = platform::joinPath(caseDirectory, "apps");
    }
}

bool UiResizerDialogModel::browseSource()
{
    const auto folder = platform::interaction().chooseFolder(platform::uiText("请选择源APPS路径"),
                                                             sourceAppsDirectory);
    if (folder) {
        sourceAppsDirectory = *folder;
    }
    return folder.has_value();
}

bool UiResizerDialogModel::browseDestination()
{
    const auto folder = platform::interaction().chooseFolder(platform::uiText("请选择目标APPS路径"),
                                                             destinationAppsDirectory);
    if (folder) {
        destinationAppsDirectory = *folder;
    }
    return folder.has_value();
}

std::string UiResizerDialogModel::sourceResourceDirectory() const
{
    return platform::canonicalPath(
        platform::storedToNative(sourceAppsDirectory + "\\" + resourceDirectory));
}

std::string UiResizerDialogModel::destinationResourceDirectory() const
{
    return platform::canonicalPath(
        platform::storedToNative(destinationAppsDirectory + "\\" + resourceDirectory));
}

bool UiResizerDialogModel::accept()
{
    platform::UserInteraction& ui = platform::interaction();
    if (resourceDirectory.empty() || sourceAppsDirectory.empty() ||
        destinationAppsDirectory.empty() || uprightFolder.empty() || sidewaysFolder.empty()) {
        ui.showMessage(platform::uiText("请填完所有路径及名字！"));
        return false;
    }
    if (sourceWidth == 0 || sourceHeight == 0 || destinationWidth == 0 || destinationHeight == 0) {
        ui.showMessage(platform::uiText("源和目的的宽高都不能为0！"));
        return false;
    }
    if (!platform::isDirectory(sourceAppsDirectory)) {
        ui.showMessage(platform::uiText("src apps路径不存在！"));
        return false;
    }
    if (platform::isAbsolutePath(resourceDirectory)) {
        ui.showMessage(platform::uiText("Res dir必须是相对路径！"));
        return false;
    }
    if (platform::equalsIgnoreAsciiCase(sourceResourceDirectory(),
                                        destinationResourceDirectory()) &&
        ui.askYesNo(platform::uiText("源与目的资源路径相同，源资源图片将会被覆盖，确定？"),
                    platform::uiText("警告"), platform::Answer::No) != platform::Answer::Yes) {
        return false;
    }
    return true;
}

std::string UiResizerDialogModel::parameterText() const
{
    const std::string format =
        "%ssrc_width = %d; src_height = %d; dst_width = %d; dst_height = %d;         "
        "src_apps_dir = %s; src_res_dir = %s; dst_apps_dir = %s;        "
        "upright_dir_name = %s; sidelong_dir_name = %s;";
    const int length = std::snprintf(
        nullptr, 0, format.c_str(), "string = ", sourceWidth, sourceHeight, destinationWidth,
        destinationHeight, sourceAppsDirectory.c_str(), resourceDirectory.c_str(),
        destinationAppsDirectory.c_str(), uprightFolder.c_str(), sidewaysFolder.c_str());
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format.c_str(), "string = ", sourceWidth, sourceHeight,
                  destinationWidth, destinationHeight, sourceAppsDirectory.c_str(),
                  resourceDirectory.c_str(), destinationAppsDirectory.c_str(),
                  uprightFolder.c_str(), sidewaysFolder.c_str());
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::vector<std::string> UiResizerDialogModel::arguments() const
{
    return {platform::programDirectory() + "resizeimage", parameterText()};
}

bool UiResizerDialogModel::start() const
{
    platform::ChildProcess resizer;
    if (!resizer.start(arguments())) {
        return false;
    }
    // Reaped by a background thread when it ends; the dialog does not wait.
    resizer.detach();
    return true;
}

} // namespace editing

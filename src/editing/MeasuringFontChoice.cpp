#include "editing/MeasuringFontChoice.h"

#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "platform/Path.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"
#include "textcheck/MeasuringFontSetting.h"
#include "textcheck/MeasuringFonts.h"

namespace editing {
namespace {

using textcheck::MeasuringFontSetting;

const char kCaption[] = N_("测量字体");

std::string ProjectPath(const Workspace& ws)
{
    const APStyleProject* project = ws.CurrentProject();
    return project ? project->ProjectFilePath() : std::string();
}

bool Keep(const std::string& projectPath, const std::string& font)
{
    if (const std::string error = MeasuringFontSetting::Write(projectPath, font); !error.empty()) {
        platform::interaction().showMessage(
            std::string(platform::uiText("无法保存测量字体：")) + error, platform::uiText(kCaption),
            platform::MessageIcon::Error);
        return false;
    }
    return true;
}

} // namespace

std::string MeasuringFontChoice::Current(const Workspace& ws, std::string* problem)
{
    const std::string path = ProjectPath(ws);
    if (path.empty()) {
        return {};
    }
    MeasuringFontSetting::Reading reading = MeasuringFontSetting::Read(path);
    if (problem) {
        *problem = std::move(reading.problem);
    }
    return reading.font;
}

bool MeasuringFontChoice::Choose(Workspace& ws)
{
    const std::string path = ProjectPath(ws);
    platform::UserInteraction& ui = platform::interaction();
    if (path.empty()) {
        ui.showMessage(platform::uiText("请先保存工程，测量字体保存在工程文件旁边。"),
                       platform::uiText(kCaption), platform::MessageIcon::Information);
        return false;
    }
    const std::string current = Current(ws);
    const std::optional<std::string> chosen = ui.chooseFile(
        platform::FileChooserMode::Open,
        platform::uiText("字体文件(*.ttf;*.otf;*.ttc;*.bdf;*.pcf)|*.ttf;*.otf;*.ttc;*.bdf;*.pcf|"
                         "全部文件(*.*)|*.*||"),
        platform::uiText("选择测量字体"), current.empty() ? platform::directoryOf(path) : current);
    if (!chosen || *chosen == current) {
        return false;
    }
    const textcheck::MeasuringFonts fonts(*chosen);
    if (!fonts.Problem().empty()) {
        ui.showMessage(std::string(platform::uiText("无法使用这个字体：")) + fonts.Problem(),
                       platform::uiText(kCaption), platform::MessageIcon::Error);
        return false;
    }
    return Keep(path, *chosen);
}

bool MeasuringFontChoice::UseInstalled(Workspace& ws)
{
    const std::string path = ProjectPath(ws);
    if (path.empty() || Current(ws).empty()) {
        return false;
    }
    return Keep(path, {});
}

std::string MeasuringFontChoice::Describe(const std::string& font)
{
    return font.empty() ? platform::uiText("已安装的字体") : platform::fileNameOf(font);
}

} // namespace editing

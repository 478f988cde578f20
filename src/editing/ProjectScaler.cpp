#include "editing/ProjectScaler.h"

#include "editing/ElementScaler.h"
#include "model/APStyleProject.h"
#include "model/DocumentFile.h"
#include "platform/AsciiCase.h"
#include "platform/Path.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

#include <tinyxml.h>

#include <filesystem>

namespace editing {
namespace {

constexpr const char* kFilter = N_("UI文件(*.ui)|*.ui|全部文件(*.*)|*.*||");

std::string absoluteCanonical(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return platform::canonicalPath(error ? path : absolute.string());
}

} // namespace

ProjectScaler::ProjectScaler(APStyleProject& project, float scaleX, float scaleY)
    : m_project(project), m_scaleX(scaleX), m_scaleY(scaleY)
{
}

bool ProjectScaler::run()
{
    const std::optional<std::string> target = platform::interaction().chooseFile(
        platform::FileChooserMode::Save, platform::uiText(kFilter), platform::uiText("工程缩放"),
        m_project.ProjectFilePath());
    if (!target) {
        return false;
    }
    if (!writeTo(*target)) {
        platform::interaction().showMessage(m_error, {}, platform::MessageIcon::Error);
        return false;
    }
    return true;
}

bool ProjectScaler::writeTo(const std::string& target)
{
    m_error.clear();
    if (!m_project.ProjectFilePath().empty() && isSameFile(target, m_project.ProjectFilePath())) {
        m_error = platform::uiText("缩放后的工程不能覆盖原工程文件：") + target;
        return false;
    }
    m_project.SetModified(1);
    m_project.UpdateDocument();
    // A copy, so that the open project's document keeps its own values and file name.
    TiXmlDocument copy(m_project.Document());
    copy.SetValue(target.c_str());
    TiXmlElement* root = copy.RootElement();
    if (root == nullptr) {
        m_error = platform::uiText("工程文件内容为空：") + target;
        return false;
    }
    ElementScaler(m_scaleX, m_scaleY).scaleScenes(*root);
    if (!model::WriteDocument(copy, target)) {
        m_error = platform::uiText("无法写入文件：") + target;
        return false;
    }
    return true;
}

bool ProjectScaler::isSameFile(const std::string& a, const std::string& b)
{
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error)) {
        return true;
    }
    return platform::equalsIgnoreAsciiCase(absoluteCanonical(a), absoluteCanonical(b));
}

} // namespace editing

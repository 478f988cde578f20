#include "editing/PrjResizeDialogModel.h"

#include "editing/ProjectScaler.h"
#include "model/APStyleProject.h"
#include "platform/UserInteraction.h"

#include <cstdlib>

namespace editing {

PrjResizeDialogModel::PrjResizeDialogModel(APStyleProject& project)
    : newWidthText(std::to_string(project.ScreenWidth())),
      newHeightText(std::to_string(project.ScreenHeight())), m_project(project),
      m_currentWidth(project.ScreenWidth()), m_currentHeight(project.ScreenHeight())
{
}

bool PrjResizeDialogModel::accept()
{
    const int newWidth = std::atoi(newWidthText.c_str());
    const int newHeight = std::atoi(newHeightText.c_str());
    if (m_currentWidth <= 0 || m_currentHeight <= 0 || newWidth <= 0 || newHeight <= 0) {
        platform::interaction().showMessage("宽高都不能为0！", {}, platform::MessageIcon::Warning);
        return false;
    }
    m_scaleX = static_cast<float>(newWidth) / static_cast<float>(m_currentWidth);
    m_scaleY = static_cast<float>(newHeight) / static_cast<float>(m_currentHeight);
    m_project.SetScreenWidth(newWidth);
    m_project.SetScreenHeight(newHeight);
    ProjectScaler(m_project, m_scaleX, m_scaleY).run();
    return true;
}

} // namespace editing

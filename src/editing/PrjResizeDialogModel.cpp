#include "editing/PrjResizeDialogModel.h"

#include "editing/ProjectScaler.h"
#include "model/APStyleProject.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

#include <charconv>
#include <climits>

namespace editing {
namespace {

// The decimal number of an edit (blanks around it allowed); 0 for text that is no number or
// one beyond the int's range (never undefined, as atoi's overflow is).
int decimalOf(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return 0;
    }
    const std::size_t last = text.find_last_not_of(" \t");
    long long value = 0;
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end || value > INT_MAX || value < INT_MIN) {
        return 0;
    }
    return static_cast<int>(value);
}

} // namespace

PrjResizeDialogModel::PrjResizeDialogModel(APStyleProject& project)
    : newWidthText(std::to_string(project.ScreenWidth())),
      newHeightText(std::to_string(project.ScreenHeight())), m_project(project),
      m_currentWidth(project.ScreenWidth()), m_currentHeight(project.ScreenHeight())
{
}

bool PrjResizeDialogModel::accept()
{
    const int newWidth = decimalOf(newWidthText);
    const int newHeight = decimalOf(newHeightText);
    if (m_currentWidth <= 0 || m_currentHeight <= 0 || newWidth <= 0 || newHeight <= 0) {
        platform::interaction().showMessage(platform::uiText("宽高都不能为0！"), {},
                                            platform::MessageIcon::Warning);
        return false;
    }
    m_scaleX = static_cast<float>(newWidth) / static_cast<float>(m_currentWidth);
    m_scaleY = static_cast<float>(newHeight) / static_cast<float>(m_currentHeight);
    m_project.SetScreenWidth(newWidth);
    m_project.SetScreenHeight(newHeight);
    if (!ProjectScaler(m_project, m_scaleX, m_scaleY).run()) {
        // No copy was written: the open project keeps the size its elements were laid out for,
        // rather than a new one that nothing marks as a change.
        m_project.SetScreenWidth(m_currentWidth);
        m_project.SetScreenHeight(m_currentHeight);
    }
    return true;
}

} // namespace editing

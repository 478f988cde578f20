#pragma once

#include <string>

class APStyleProject;

namespace editing {

// The project scaling dialog without its widgets: the current screen size (shown) and the
// new one (two edits). OK sets the project's screen size and runs ProjectScaler.
class PrjResizeDialogModel
{
public:
    // Opens with the project's screen size in every field. `project` must outlive the model.
    explicit PrjResizeDialogModel(APStyleProject& project);

    std::string currentWidthText() const { return std::to_string(m_currentWidth); }
    std::string currentHeightText() const { return std::to_string(m_currentHeight); }
    std::string newWidthText;
    std::string newHeightText;

    // OK: scale x = new width / current width and scale y likewise, in single precision; the
    // project gets the new screen size, then ProjectScaler::run() asks for the target and
    // writes the copy. A current or new size of 0 (or no number) would make every position
    // 0 or unbounded: that is refused with a message and nothing changes. Returns true when
    // the dialog closes (also when the save chooser was cancelled: the new size stays set).
    bool accept();

    float scaleX() const { return m_scaleX; }
    float scaleY() const { return m_scaleY; }

private:
    APStyleProject& m_project;
    int m_currentWidth;
    int m_currentHeight;
    float m_scaleX = 1;
    float m_scaleY = 1;
};

} // namespace editing

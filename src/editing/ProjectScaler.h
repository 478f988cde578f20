#pragma once

#include <string>

class APStyleProject;

namespace editing {

// "工程缩放": writes a copy of a project, its scenes and elements scaled to another screen
// size, into another project file. The open project keeps its elements and its own file; only
// its screen size (set by the caller) and the modified flag change.
class ProjectScaler
{
public:
    // `project` must outlive the scaler.
    ProjectScaler(APStyleProject& project, float scaleX, float scaleY);

    // Asks for the target with the save-file chooser of platform::interaction() and writes
    // the scaled copy there. Returns false when the chooser was cancelled or the copy could
    // not be written (a message has said why).
    bool run();

    // Writes the scaled copy to `target`: the project is written into its document, the
    // document copied, the copy's elements scaled and printed to `target` (never half-written).
    // Refuses a target that is the project's own file, also when it differs only in letter
    // case. Returns false with error() set; no file is touched then.
    bool writeTo(const std::string& target);

    const std::string& error() const { return m_error; }

    // True when `a` and `b` name the same file: the same file on disk, or the same canonical
    // path once A to Z are folded (so that a copy never replaces its source on a file system
    // that ignores case either).
    static bool isSameFile(const std::string& a, const std::string& b);

private:
    APStyleProject& m_project;
    float m_scaleX;
    float m_scaleY;
    std::string m_error;
};

} // namespace editing

#pragma once

#include <memory>
#include <string>

class APStyleProject;

namespace editing {

// What the new-project dialog collects. Directories are native absolute paths.
struct NewProjectRequest
{
    std::string saveDir;
    std::string name;
    std::string caseDir;

    // The message that keeps the dialog open ("工程名不能为空", "保存路径不能为空",
    // "Case目录不能为空", checked in that order), or "" when the request is complete.
    std::string Problem() const;
    // The project file the request creates: save directory + name + ".ui".
    std::string ProjectFilePath() const;
};

// Gives `project` the settings of a new project of kind 1 made from `request`: its file path,
// the resource, string, header and style paths below the case directory's
// "images/apps/<name>/", the SDK directory beside the case directory, a 320 x 240 screen.
void ApplyNewProjectSettings(APStyleProject& project, const NewProjectRequest& request);

// Builds the new project of `request` in memory (settings, a first scene with its root group
// "window"), writes it to its project file and loads it back from there, so that it starts
// from its own file. Returns the loaded project, current and unmodified, or null when the file
// could not be written or read again (a message has been shown; the current project is then
// null).
std::unique_ptr<APStyleProject> CreateNewProject(const NewProjectRequest& request);

} // namespace editing

#pragma once

#include "components/visual/GuideLine.h"
#include "editing/GuidesFile.h"

#include <map>
#include <string>
#include <vector>

class APStyleProject;
class Snapshot;

namespace editing {

// The user's guides of the open projects, per scene, kept in each project's guides file
// (GuidesFile) and written there as soon as they change. Guides of a project without a file
// yet wait in memory for its first save.
class GuideStore
{
public:
    // Reads the guides file of `project`. Returns a note for the status bar when the file was
    // there but could not be taken (it is then left as it is until guides change).
    std::string Load(const APStyleProject& project);
    void Forget(const APStyleProject& project);

    std::vector<GuideLine> For(const APStyleProject& project, const Snapshot& scene) const;
    // Keeps `guides` for `scene` and writes the project's guides file. Returns a note for the
    // status bar when the file cannot be written; the guides stay in memory all the same.
    std::string Set(const APStyleProject& project, const Snapshot& scene,
                    std::vector<GuideLine> guides);
    // The project was written to `projectPath`: its guides go beside it there too (a save
    // under a new name takes them along). Returns a note when they cannot be written.
    std::string Saved(const APStyleProject& project, const std::string& projectPath);

private:
    struct Kept
    {
        // The guides file last read or written; empty before the project has a file.
        std::string path;
        GuidesByScene scenes;
    };

    std::string WriteTo(Kept& kept, const std::string& path);

    std::map<const APStyleProject*, Kept> m_projects;
};

} // namespace editing

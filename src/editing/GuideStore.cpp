#include "editing/GuideStore.h"

#include "model/APStyleProject.h"
#include "model/Snapshot.h"
#include "platform/UiText.h"

namespace editing {

std::string GuideStore::Load(const APStyleProject& project)
{
    Kept& kept = m_projects[&project];
    kept = {};
    if (project.ProjectFilePath().empty()) {
        return {};
    }
    kept.path = GuidesFile::PathFor(project.ProjectFilePath());
    GuidesFile::Reading reading = GuidesFile::Read(kept.path);
    if (!reading.problem.empty()) {
        return platform::formatText(platform::uiText("参考线文件无法读取，已忽略：%s（%s）"),
                                    kept.path.c_str(), reading.problem.c_str());
    }
    kept.scenes = std::move(reading.scenes);
    return {};
}

void GuideStore::Forget(const APStyleProject& project)
{
    m_projects.erase(&project);
}

std::vector<GuideLine> GuideStore::For(const APStyleProject& project, const Snapshot& scene) const
{
    const auto kept = m_projects.find(&project);
    if (kept == m_projects.end()) {
        return {};
    }
    const auto lines = kept->second.scenes.find(scene.Name());
    return lines == kept->second.scenes.end() ? std::vector<GuideLine>{} : lines->second;
}

std::string GuideStore::Set(const APStyleProject& project, const Snapshot& scene,
                            std::vector<GuideLine> guides)
{
    Kept& kept = m_projects[&project];
    if (guides.empty()) {
        kept.scenes.erase(scene.Name());
    } else {
        kept.scenes[scene.Name()] = std::move(guides);
    }
    if (project.ProjectFilePath().empty()) {
        return {};
    }
    return WriteTo(kept, GuidesFile::PathFor(project.ProjectFilePath()));
}

std::string GuideStore::Saved(const APStyleProject& project, const std::string& projectPath)
{
    const auto kept = m_projects.find(&project);
    if (kept == m_projects.end() || kept->second.scenes.empty()) {
        return {};
    }
    const std::string path = GuidesFile::PathFor(projectPath);
    return path == kept->second.path ? std::string{} : WriteTo(kept->second, path);
}

std::string GuideStore::WriteTo(Kept& kept, const std::string& path)
{
    const std::string error = GuidesFile::Write(path, kept.scenes);
    if (!error.empty()) {
        return platform::formatText(platform::uiText("参考线无法保存：%s（%s）"), path.c_str(),
                                    error.c_str());
    }
    kept.path = path;
    return {};
}

} // namespace editing

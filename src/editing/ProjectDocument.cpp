#include "editing/ProjectDocument.h"

#include "components/visual/VisualEditor.h"
#include "editing/AutoSavePath.h"
#include "editing/EditorOptions.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/SnapShotItem.h"
#include "model/Snapshot.h"
#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

#include <algorithm>

namespace editing {

namespace {

const char kCaption[] = "SkinSmith";

APStyleProject* FindOpen(const Workspace& workspace, const std::string& path)
{
    for (APStyleProject* project : workspace.Projects()) {
        if (platform::equalsIgnoreAsciiCase(project->ProjectFilePath(), path)) {
            return project;
        }
    }
    return nullptr;
}

void ClearHistory(APStyleProject& project)
{
    project.History().clear();
    project.SetHistoryCursor(-1);
}

// Gives every element's drawable its picture or text, so that scenes show on the surface.
void LoadDrawables(APStyleProject& project)
{
    for (const auto& scene : project.Scenes()) {
        for (const auto& element : scene->Elements()) {
            element->LoadResource();
        }
    }
}

} // namespace

ProjectDocument::ProjectDocument(Workspace& workspace, EditorOptions& options)
    : m_workspace(workspace), m_options(options)
{
}

ProjectDocument::NewProjectCheck
ProjectDocument::CheckNewProject(const NewProjectRequest& request) const
{
    const std::string path = request.ProjectFilePath();
    if (FindOpen(m_workspace, path)) {
        platform::interaction().showMessage(
            platform::uiText("相同路径名字的UI工程已经打开，请选择不同名字或路径！"), kCaption);
        return NewProjectCheck::ShowAgain;
    }
    // The new project is loaded back from its file, and a load needs its case directory:
    // refuse a missing one here, while the user can still correct it in the dialog.
    if (!platform::isDirectory(request.caseDir)) {
        platform::interaction().showMessage(platform::uiText("无法找到case目录") + request.caseDir,
                                            kCaption);
        return NewProjectCheck::ShowAgain;
    }
    // Every path lives on one root here, so the check for different drives always passes.
    if (platform::pathExists(path) &&
        platform::interaction().askYesNo(platform::uiText("相同路径名字的UI工程已经存在，覆盖？"),
                                         kCaption, platform::Answer::No) != platform::Answer::Yes) {
        return NewProjectCheck::ShowAgain;
    }
    return NewProjectCheck::Proceed;
}

APStyleProject* ProjectDocument::NewProject(const NewProjectRequest& request)
{
    APStyleProject* previous = m_workspace.CurrentProject();
    std::unique_ptr<APStyleProject> created = CreateNewProject(request);
    if (!created) {
        m_workspace.SetCurrentProject(previous);
        return nullptr;
    }
    ClearHistory(*created);
    LoadDrawables(*created);
    APStyleProject& project = m_workspace.OpenProject(std::move(created));
    m_workspace.Tree().SelectNode(&project, false);
    m_workspace.RefreshResourcePanel();
    RefreshTitle();
    return &project;
}

ProjectDocument::OpenResult ProjectDocument::Open(const std::string& path)
{
    if (APStyleProject* open = FindOpen(m_workspace, path)) {
        m_workspace.SetCurrentProject(open);
        ShowCurrent();
        return OpenResult::AlreadyOpen;
    }
    if (!platform::isFile(path)) {
        platform::interaction().showMessage(platform::uiText("找不到工程文件：") + path, kCaption);
        return OpenResult::Failed;
    }
    m_opening = true;
    APStyleProject* previous = m_workspace.CurrentProject();
    auto loaded = std::make_unique<APStyleProject>();
    APStyleProject::SetCurrent(loaded.get());
    if (!loaded->Load(path)) {
        m_workspace.SetCurrentProject(previous);
        m_opening = false;
        return OpenResult::Failed;
    }
    loaded->SetModified(0);
    ClearHistory(*loaded);
    LoadDrawables(*loaded);
    m_workspace.Panel().Editor().ClearAll();
    APStyleProject& project = m_workspace.OpenProject(std::move(loaded));
    ShowFirstScene(project);
    m_workspace.RefreshResourcePanel();
    m_options.Read();
    m_opening = false;
    RefreshTitle();
    return OpenResult::Opened;
}

void ProjectDocument::ShowFirstScene(APStyleProject& project)
{
    // An opened project is ready to work on: its first scene on the surface and in the grid.
    for (const auto& scene : project.Scenes()) {
        if (!scene->IsDeleted() && m_workspace.SelectObject(scene.get())) {
            return;
        }
    }
    m_workspace.Tree().SelectNode(&project, false);
}

bool ProjectDocument::IsModified() const
{
    const APStyleProject* project = m_workspace.CurrentProject();
    return project && project->Modified() != 0;
}

void ProjectDocument::SetModifiedFlag(bool flag)
{
    APStyleProject* project = m_workspace.CurrentProject();
    if (!project || m_opening) {
        return;
    }
    project->SetModified(flag ? 1 : 0);
    RefreshTitle();
}

bool ProjectDocument::Write(APStyleProject& project, const std::string& path)
{
    // The writer skips unmodified projects; a write asked for here is always meant.
    const int wasModified = project.Modified();
    project.SetModified(1);
    const bool written = project.Save(path) != 0;
    project.SetModified(wasModified);
    if (written) {
        if (std::string note = m_workspace.Guides().Saved(project, path); !note.empty()) {
            m_workspace.Feed().Post(Change::Note(std::move(note)));
        }
    }
    if (!written) {
        platform::interaction().showMessage(
            platform::formatText(
                platform::uiText("保存失败：%s\n文件无法写入，工程的修改仍未保存。"), path.c_str()),
            kCaption, platform::MessageIcon::Error);
    }
    return written;
}

bool ProjectDocument::SaveCurrent()
{
    APStyleProject* project = m_workspace.CurrentProject();
    if (!project || !project->Modified()) {
        return true;
    }
    if (!Write(*project, project->ProjectFilePath())) {
        return false;
    }
    project->SetModified(0);
    RefreshTitle();
    return true;
}

bool ProjectDocument::SaveAs(const std::string& path)
{
    APStyleProject* project = m_workspace.CurrentProject();
    if (!project || !Write(*project, path)) {
        return false;
    }
    project->SetProjectFilePath(path);
    project->SetModified(0);
    RefreshTitle();
    return true;
}

bool ProjectDocument::SaveAll()
{
    bool all = true;
    for (APStyleProject* project : m_workspace.Projects()) {
        if (!project->Modified()) {
            continue;
        }
        if (Write(*project, project->ProjectFilePath())) {
            project->SetModified(0);
        } else {
            all = false;
        }
    }
    RefreshTitle();
    return all;
}

bool ProjectDocument::SaveModified()
{
    if (m_opening) {
        return true;
    }
    std::vector<APStyleProject*> declined;
    for (APStyleProject* project : m_workspace.Projects()) {
        if (!project->Modified()) {
            continue;
        }
        const platform::Answer answer = platform::interaction().askYesNoCancel(
            platform::uiText("保存已修改文件？\n") + project->ProjectFilePath(), kCaption,
            platform::Answer::Cancel);
        if (answer == platform::Answer::Cancel) {
            return false;
        }
        if (answer == platform::Answer::No) {
            declined.push_back(project);
            continue;
        }
        if (!Write(*project, project->ProjectFilePath())) {
            return false;
        }
        project->SetModified(0);
    }
    // Only now that the close goes ahead: a cancelled close must ask again next time.
    for (APStyleProject* project : declined) {
        project->SetModified(0);
    }
    RefreshTitle();
    return true;
}

bool ProjectDocument::CloseCurrent()
{
    APStyleProject* project = m_workspace.CurrentProject();
    if (!project) {
        return true;
    }
    if (project->Modified()) {
        const platform::Answer answer = platform::interaction().askYesNoCancel(
            platform::uiText("保存已修改文件？\n") + project->ProjectFilePath(), kCaption,
            platform::Answer::Cancel);
        if (answer == platform::Answer::Cancel) {
            return false;
        }
        if (answer == platform::Answer::Yes && !Write(*project, project->ProjectFilePath())) {
            return false;
        }
    }
    const std::vector<APStyleProject*> open = m_workspace.Projects();
    const auto position = std::find(open.begin(), open.end(), project) - open.begin();
    APStyleProject* next = nullptr;
    if (open.size() > 1) {
        next = position > 0 ? open[position - 1] : open[1];
    }
    m_autoSaveStates.erase(project);
    m_workspace.CloseProject(project);
    m_workspace.SetCurrentProject(next);
    m_workspace.Panel().Editor().ClearAll();
    m_workspace.RefreshResourcePanel();
    if (next) {
        ShowCurrent();
    } else {
        RefreshTitle();
    }
    return true;
}

bool ProjectDocument::CloseAll()
{
    if (!SaveModified()) {
        return false;
    }
    CloseEverything();
    return true;
}

void ProjectDocument::CloseEverything()
{
    for (APStyleProject* project : m_workspace.Projects()) {
        m_workspace.CloseProject(project);
    }
    m_autoSaveStates.clear();
    m_workspace.SetCurrentProject(nullptr);
    m_workspace.Panel().Editor().ClearAll();
    m_workspace.RefreshResourcePanel();
    RefreshTitle();
}

int ProjectDocument::AutoSave(const platform::LocalTime& now)
{
    if (!m_autoSave) {
        return 0;
    }
    int written = 0;
    for (APStyleProject* project : m_workspace.Projects()) {
        AutoSaveState& state = m_autoSaveStates[project];
        const auto cursor = project->HistoryCursor();
        const std::size_t size = project->History().size();
        if (!project->Modified() || (cursor == state.historyCursor && size == state.historySize)) {
            continue;
        }
        const std::string copy = AutoSaveCopyPath(project->ProjectFilePath(), now);
        if (project->Save(copy) != 0) {
            state = AutoSaveState{cursor, size, false};
            ++written;
            TrimAutoSaveCopies(project->ProjectFilePath(), m_options.AutoSaveKeep());
        } else if (!state.failureReported) {
            state.failureReported = true;
            platform::interaction().showMessage(platform::uiText("自动保存失败：") + copy, kCaption,
                                                platform::MessageIcon::Warning);
        }
    }
    return written;
}

std::string ProjectDocument::Title() const
{
    const APStyleProject* project = m_workspace.CurrentProject();
    if (!project) {
        return kCaption;
    }
    return project->ProjectFilePath() + (project->Modified() ? " *" : "");
}

void ProjectDocument::RefreshTitle()
{
    if (m_titleSink) {
        m_titleSink(Title());
    }
}

void ProjectDocument::ShowCurrent()
{
    APStyleProject* project = m_workspace.CurrentProject();
    if (!project) {
        return;
    }
    m_workspace.ShowSettings(project);
    m_workspace.Tree().SelectNode(project, false);
    m_workspace.RefreshResourcePanel();
    RefreshTitle();
}

} // namespace editing

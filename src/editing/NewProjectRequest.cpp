#include "editing/NewProjectRequest.h"

#include "model/APStyleProject.h"
#include "model/SnapShotItemKind.h"
#include "platform/Path.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

namespace editing {

namespace {

std::string WithoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string WithTrailingSlash(const std::string& path)
{
    return path.empty() || path.back() == '/' ? path : path + '/';
}

// The directory beside the case directory that holds the SDK: "psp_rel" in the case
// directory's parent; "" when the case directory has no parent to speak of.
std::string SdkDirBeside(const std::string& caseDir)
{
    const std::size_t slash = caseDir.find_last_of('/');
    if (slash == std::string::npos || slash == 0) {
        return {};
    }
    return caseDir.substr(0, slash + 1) + "psp_rel";
}

} // namespace

std::string NewProjectRequest::Problem() const
{
    if (name.empty()) {
        return platform::uiText("工程名不能为空");
    }
    if (saveDir.empty()) {
        return platform::uiText("保存路径不能为空");
    }
    if (caseDir.empty()) {
        return platform::uiText("Case目录不能为空");
    }
    return {};
}

std::string NewProjectRequest::ProjectFilePath() const
{
    return WithTrailingSlash(saveDir) + name + ".ui";
}

void ApplyNewProjectSettings(APStyleProject& project, const NewProjectRequest& request)
{
    const std::string save = WithTrailingSlash(request.saveDir);
    const std::string caseDir = WithoutTrailingSlash(request.caseDir);
    const std::string& name = request.name;
    const std::string apps = caseDir + "/images/apps/" + name + "/";

    project.SetProjectFilePath(save + name + ".ui");
    project.SetProjectKind(1);
    project.SetResourceFile(apps + "style0/" + name + ".res");
    project.SetStringDir(apps);
    project.SetPictureHeader(save + name + "_pic.h");
    project.SetStringHeader(save + name + "_str.h");
    project.SetStyleHeader(save + name + "_sty.h");
    project.SetStyleFile(apps + name + ".sty");
    project.SetCaseDir(caseDir);
    const std::string sdk = SdkDirBeside(caseDir);
    if (!sdk.empty()) {
        project.SetSdkDir(sdk);
    }
    project.SetProjectDir(save);
    project.SetScreenWidth(320);
    project.SetScreenHeight(240);
    project.SetName(name);
    project.SetCurrentScene(nullptr);
}

std::unique_ptr<APStyleProject> CreateNewProject(const NewProjectRequest& request)
{
    auto draft = std::make_unique<APStyleProject>();
    draft->InitNew();
    ApplyNewProjectSettings(*draft, request);
    APStyleProject::SetCurrent(draft.get());
    Snapshot* scene = draft->AddScene();
    auto* root = static_cast<SnapShotItemKind*>(scene->AddChild(SnapShotItem::kGroup, 0));
    root->Rename("window");
    SnapItemInfo block;
    root->CopyAttrBlock(block);
    root->BuildAttrList(block);

    const std::string path = draft->ProjectFilePath();
    draft->SetModified(1);
    const bool written = draft->Save(path) != 0;
    APStyleProject::SetCurrent(nullptr);
    draft.reset();
    if (!written) {
        platform::interaction().showMessage(platform::uiText("无法写入工程文件：") + path,
                                            "SkinSmith", platform::MessageIcon::Error);
        return nullptr;
    }

    auto project = std::make_unique<APStyleProject>();
    APStyleProject::SetCurrent(project.get());
    if (!project->Load(path)) {
        APStyleProject::SetCurrent(nullptr);
        return nullptr;
    }
    project->SetModified(0);
    return project;
}

} // namespace editing

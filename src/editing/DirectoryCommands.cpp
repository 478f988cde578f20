#include "editing/DirectoryCommands.h"

#include "components/visual/CxImage.h"
#include "components/visual/Graph.h"
#include "editing/ActAddSnapshotObj.h"
#include "editing/AddCommands.h"
#include "editing/KeptGeometry.h"
#include "editing/SpreadsheetScene.h"
#include "editing/UndoHistory.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace editing::dir {

namespace {

namespace fs = std::filesystem;

std::optional<std::string> AskFolder()
{
    return platform::interaction().chooseFolder(platform::uiText("请选择添加的路径"), {});
}

bool IsPictureFile(const fs::path& path)
{
    const std::string ext = platform::toUpperAscii(path.extension().string());
    return ext == ".JPG" || ext == ".PNG" || ext == ".BMP";
}

// Entries of `folder` in the order the file system gives them.
std::vector<fs::directory_entry> Entries(const std::string& folder)
{
    std::vector<fs::directory_entry> list;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        list.push_back(*it);
    }
    return list;
}

// The upper-cased file name up to its first '.'.
std::string StemOf(const std::string& path)
{
    const std::string name = fs::path(path).filename().string();
    return platform::toUpperAscii(name.substr(0, name.find('.')));
}

bool HasDoubleByte(const std::string& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0x80) &&
            (static_cast<unsigned char>(text[i + 1]) & 0x80)) {
            return true;
        }
    }
    return false;
}

bool SizeOf(const std::string& path, int& width, int& height)
{
    CxImage::Info info;
    if (!CxImage::ReadSize(path, info)) {
        return false;
    }
    width = info.width;
    height = info.height;
    return true;
}

void GrowToFit(CCanvasSnapShotItem& group, int width, int height)
{
    const GraphRect drawn = group.OwnGraph()->Envelop();
    if (drawn.Width() >= width && drawn.Height() >= height) {
        return;
    }
    const int newWidth = std::max(drawn.Width(), width);
    const int newHeight = std::max(drawn.Height(), height);
    group.Group().width = static_cast<std::uint16_t>(newWidth);
    group.Group().height = static_cast<std::uint16_t>(newHeight);
    group.AttrBlock()->width = static_cast<std::uint16_t>(newWidth);
    group.AttrBlock()->height = static_cast<std::uint16_t>(newHeight);
    group.OwnGraph()->Envelop(
        {drawn.left, drawn.top, drawn.left + newWidth, drawn.top + newHeight});
    group.RefreshRows();
    ReloadKeepingGeometry(group);
    PostChange(Change::ElementChanged(&group));
}

// Binds the current frame of `picture` to the registered picture at `path`.
void BindFrame(APStyleProject& project, PicSnapshotItem& picture, const std::string& path)
{
    const std::string stored = project.StoredPicturePath(path);
    if (project.Pictures().Find(stored) < 0) {
        project.AddPicture(path, 0);
    }
    const int index = project.Pictures().Find(stored);
    PicFrame* frame = picture.CurrentFrame();
    if (!frame || index < 0) {
        return;
    }
    const PictureRecord& record = project.Pictures().At(static_cast<std::size_t>(index));
    frame->id = static_cast<std::int32_t>(record.number);
    frame->name = record.name;
    frame->path = stored;
    frame->compress = picture.PicInfo().compress == 1 ? 0x88 : 0;
    picture.RefreshRows();
}

SnapShotItem* AddGroupFromFolder(Workspace& ws, TreeNode& node, const std::string& folder);

void FillFromFolder(Workspace& ws, TreeNode& node, const std::string& folder)
{
    std::vector<std::string> files;
    for (const auto& entry : Entries(folder)) {
        if (entry.is_directory()) {
            AddGroupFromFolder(ws, node, entry.path().string());
        } else if (IsPictureFile(entry.path())) {
            files.push_back(entry.path().string());
        }
    }
    for (const std::string& file : files) {
        PictureFromFile(ws, node, file);
    }
}

SnapShotItem* AddGroupFromFolder(Workspace& ws, TreeNode& node, const std::string& folder)
{
    auto* parent = dynamic_cast<CCanvasSnapShotItem*>(add::ContainerOf(&node));
    if (!parent) {
        add::ShowIllegalGroupPlace();
        return nullptr;
    }
    const std::string name =
        "RESGROUP_" + platform::toUpperAscii(fs::path(folder).filename().string());
    auto* group = static_cast<SnapShotItemKind*>(parent->AddChild(SnapShotItem::kGroup, 0));
    if (!HasDoubleByte(name)) {
        group->Rename(name);
    }
    Snapshot& scene = *node.data.scene;
    TreeNode* groupNode = ws.Tree().InsertElement(*group, add::NodeObjectOf(*parent, scene), scene);
    if (groupNode) {
        FillFromFolder(ws, *groupNode, folder);
    }
    return group;
}

} // namespace

SnapShotItem* PictureFromFile(Workspace& ws, TreeNode& node, const std::string& path)
{
    APStyleProject* project = ws.CurrentProject();
    auto* parent = dynamic_cast<CCanvasSnapShotItem*>(add::ContainerOf(&node));
    if (!project || !parent) {
        return nullptr;
    }
    const std::string name = "PIC_" + StemOf(path);
    int width = 0;
    int height = 0;
    if (SizeOf(path, width, height)) {
        GrowToFit(*parent, width, height);
    }
    auto* picture = static_cast<PicSnapshotItem*>(parent->AddChild(SnapShotItem::kPicture, 1));
    if (!HasDoubleByte(name)) {
        picture->Rename(name);
    }
    Snapshot& scene = *node.data.scene;
    ws.Tree().InsertElement(*picture, add::NodeObjectOf(*parent, scene), scene);
    if (!platform::isFile(path)) {
        platform::interaction().showMessage(platform::uiText("无效文件路径!"));
        return picture;
    }
    BindFrame(*project, *picture, path);
    return picture;
}

void AddPictureDirectory(Workspace& ws)
{
    TreeNode* node = ws.Tree().Caret();
    const std::optional<std::string> folder = AskFolder();
    if (!folder || !node) {
        return;
    }
    for (const auto& entry : Entries(*folder)) {
        if (!entry.is_directory() && IsPictureFile(entry.path())) {
            PictureFromFile(ws, *node, entry.path().string());
        }
    }
}

void AddFrameDirectory(Workspace& ws)
{
    APStyleProject* project = ws.CurrentProject();
    auto* region = dynamic_cast<PicSnapshotItem*>(ws.Selection().Element());
    if (!project || !region) {
        return;
    }
    const std::optional<std::string> folder = AskFolder();
    if (!folder) {
        return;
    }
    int refWidth = 0;
    int refHeight = 0;
    const PicFrame* first = region->Frames().empty() ? nullptr : &region->Frames().front();
    if (first && !first->path.empty()) {
        SizeOf(project->ResolvePath(first->path, false), refWidth, refHeight);
    }
    std::size_t start = refWidth == 0 || refHeight == 0 ? 0 : region->Frames().size();
    int total = 0;
    std::vector<std::string> accepted;
    for (const auto& entry : Entries(*folder)) {
        if (entry.is_directory() || !IsPictureFile(entry.path())) {
            continue;
        }
        ++total;
        int width = 0;
        int height = 0;
        if (!SizeOf(entry.path().string(), width, height)) {
            continue;
        }
        if (refWidth == 0 && refHeight == 0) {
            refWidth = width;
            refHeight = height;
        }
        if (width == refWidth && height == refHeight) {
            accepted.push_back(entry.path().string());
        }
    }
    std::sort(accepted.begin(), accepted.end());
    for (std::size_t i = start; i < start + accepted.size(); ++i) {
        // Frame 0 of an empty region is filled in place; every other one is added.
        if (i != 0 && i >= region->Frames().size()) {
            add::Frame(ws);
        }
        region->SetCurrentFrameIndex(static_cast<int>(std::min(i, region->Frames().size() - 1)));
        BindFrame(*project, *region, accepted[i - start]);
    }
    platform::interaction().showMessage(
        platform::formatText(platform::uiText("图片总数量: %d, 添加成功数量: %zu"), total,
                             accepted.size()),
        {}, platform::MessageIcon::Information);
}

void AddResourceDirectory(Workspace& ws)
{
    APStyleProject* project = ws.CurrentProject();
    const std::optional<std::string> folder = AskFolder();
    if (!project || !folder) {
        return;
    }
    std::string spreadsheet;
    for (const auto& entry : Entries(*folder)) {
        if (!entry.is_directory()) {
            if (platform::toUpperAscii(entry.path().extension().string()) == ".XLS") {
                spreadsheet = entry.path().string();
            }
            continue;
        }
        Snapshot* scene = add::Scene(ws, false);
        const std::string name =
            "SCENE_" + platform::toUpperAscii(entry.path().filename().string());
        if (!HasDoubleByte(name)) {
            scene->SetName(name);
            ws.Tree().SetLabel(ws.Tree().FindNode(scene), name);
        }
        if (TreeNode* node = ws.Tree().FindNode(scene)) {
            FillFromFolder(ws, *node, entry.path().string());
        }
    }
    if (!spreadsheet.empty()) {
        AddStringScene(ws, spreadsheet);
    }
    ws.RefreshResourcePanel();
}

} // namespace editing::dir

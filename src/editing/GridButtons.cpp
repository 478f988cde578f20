#include "editing/GridButtons.h"

#include "components/visual/CxImage.h"
#include "editing/ChangeFeed.h"
#include "editing/PropertyGrid.h"
#include "editing/RecordedEdit.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"
#include "platform/Path.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

#include <cstdio>
#include <memory>

namespace editing::gridbutton {

namespace {

const char kPictureFilter[] = N_("所有支持的图形文件(*.png;*.bmp;*.jpg)|*.png;*.bmp;*.jpg||");

AttrKind KindOfRow(const SnapShotItem& element, int row)
{
    if (row < 0 || row >= element.RowCount()) {
        return kAttrReadOnly;
    }
    return element.Rows()[static_cast<std::size_t>(row)].kind;
}

// The property id of a scene or project page row.
std::int32_t PropertyOf(const PropertyGrid& grid, int row)
{
    return grid.Rows()[static_cast<std::size_t>(row)].property;
}

// Project page rows (ids of the project property table) that the buttons set.
enum ProjectButtonRow : std::int32_t
{
    kRowCaseDir = 4,
    kRowPicResPath = 7,
    kRowStrResDir = 8,
    kRowStyleHeader = 9,
    kRowStylePath = 10,
    kRowDesktopPath = 14,
    kRowNameStringId = 24
};

// The size a new picture for the current frame of `region` must have: that of frame 0,
// or of frame 1 while frame 0 is the current one. False when any size goes: a single
// picture, a region of one frame, or a reference frame without a readable picture.
bool RequiredSize(const APStyleProject& project, const PicSnapshotItem& region, int& width,
                  int& height)
{
    if (region.IsSingle() || region.Frames().size() < 2) {
        return false;
    }
    const PicFrame& reference = region.Frames()[region.CurrentFrameIndex() == 0 ? 1 : 0];
    CxImage::Info info;
    if (reference.path.empty() ||
        !CxImage::ReadSize(project.ResolvePath(reference.path, false), info)) {
        return false;
    }
    width = info.width;
    height = info.height;
    return true;
}

bool SameFolder(const std::string& a, const std::string& b)
{
    return platform::canonicalPath(a) == platform::canonicalPath(b);
}

// Stores the folder as the case directory, saves the project and opens it again from its
// file in place of the one in memory. The open project stays as it was when the save or
// the reading fails.
bool ChangeCaseDir(Workspace& ws, APStyleProject& project, const std::string& folder)
{
    const std::string previous = project.CaseDir();
    const int wasModified = project.Modified();
    project.SetCaseDir(folder);
    project.SetModified(1);
    const std::string path = project.ProjectFilePath();
    if (path.empty()) {
        // Never saved: there is no file to reopen, the new folder simply takes effect.
        ws.ShowSettings(&project);
        return true;
    }
    if (!project.Save(path)) {
        project.SetCaseDir(previous);
        project.SetModified(wasModified);
        platform::interaction().showMessage(platform::uiText("无法保存工程文件: ") + path);
        return false;
    }
    project.SetModified(0);
    auto reopened = std::make_unique<APStyleProject>();
    if (!reopened->Load(path)) {
        ws.ShowSettings(&project);
        return true;
    }
    ws.CloseProject(&project);
    ws.OpenProject(std::move(reopened));
    PostChange(Change::Redraw());
    return true;
}

template <typename Setter>
bool StoreChosenPath(APStyleProject& project, const std::optional<std::string>& chosen,
                     const std::string& current, Setter set)
{
    if (!chosen || chosen->empty()) {
        return false;
    }
    const std::string path = platform::canonicalPath(*chosen);
    if (path != current) {
        set(path);
        project.SetModified(1);
    }
    return true;
}

} // namespace

bool Available(const PropertyGrid& grid, int row)
{
    if (grid.CellType(row, 2) != PropertyGrid::kCellButton) {
        return false;
    }
    const bool stringRow = grid.Shown() == PropertyGrid::Page::Element
                               ? KindOfRow(*grid.Element(), row) == kAttrStringId
                               : grid.Shown() == PropertyGrid::Page::Project &&
                                     PropertyOf(grid, row) == kRowNameStringId;
    return !stringRow || static_cast<bool>(grid.StringChooserHook());
}

bool Press(Workspace& ws, int row)
{
    const ChangeBatch batch(ws.Feed());
    PropertyGrid& grid = ws.Grid();
    if (!Available(grid, row)) {
        return false;
    }
    switch (grid.Shown()) {
    case PropertyGrid::Page::Element:
        switch (KindOfRow(*grid.Element(), row)) {
        case kAttrColour:
            return ws.CurrentProject() &&
                   grid.PressColourButton(*ws.CurrentProject(), ws.Tree(), row);
        case kAttrPath:
            return PressPath(ws, row);
        case kAttrStringId:
            return PressStringId(ws, row);
        default:
            return false;
        }
    case PropertyGrid::Page::Scene:
        return ws.CurrentProject() && grid.PressColourButton(*ws.CurrentProject(), ws.Tree(), row);
    case PropertyGrid::Page::Project:
        return PressProjectButton(ws, row);
    case PropertyGrid::Page::None:
        break;
    }
    return false;
}

bool PressPath(Workspace& ws, int row)
{
    PropertyGrid& grid = ws.Grid();
    APStyleProject* project = ws.CurrentProject();
    auto* picture = dynamic_cast<PicSnapshotItem*>(grid.Element());
    if (!project || !picture || grid.Shown() != PropertyGrid::Page::Element ||
        KindOfRow(*picture, row) != kAttrPath || !picture->CurrentFrame()) {
        return false;
    }
    const std::optional<std::string> chosen = platform::interaction().chooseFile(
        platform::FileChooserMode::Open, platform::uiText(kPictureFilter),
        platform::uiText("请选择图片文件"), platform::joinPath(project->CaseDir(), "resource"));
    if (!chosen || chosen->empty()) {
        return false;
    }
    // Decoding first: a file that is no picture has no size to compare.
    CxImage image;
    if (!image.Load(*chosen)) {
        platform::interaction().showMessage(platform::uiText("无效文件路径!"));
        return false;
    }
    int width = 0;
    int height = 0;
    if (RequiredSize(*project, *picture, width, height) &&
        (image.GetWidth() != width || image.GetHeight() != height)) {
        char text[96];
        std::snprintf(text, sizeof text, platform::uiText("请选择的宽--%d 高--%d的图片"), width,
                      height);
        platform::interaction().showMessage(text);
        return false;
    }
    const std::string path = platform::canonicalPath(*chosen);
    const std::string stored = project->StoredPicturePath(path);
    if (project->Pictures().Find(stored) < 0) {
        project->AddPicture(path, 0);
        ws.RefreshResourcePanel();
    }
    const int index = project->Pictures().Find(stored);
    if (index < 0) {
        return false;
    }
    const PictureRecord& record = project->Pictures().At(static_cast<std::size_t>(index));
    RecordElementEdit(*project, *picture, [&] {
        PicFrame& frame = *picture->CurrentFrame();
        frame.id = static_cast<std::int32_t>(record.number);
        frame.name = record.name;
        frame.path = stored;
        picture->LoadResource();
        picture->RefreshRows();
    });
    grid.Refresh();
    PostChange(Change::Redraw());
    return true;
}

bool PressStringId(Workspace& ws, int row)
{
    PropertyGrid& grid = ws.Grid();
    APStyleProject* project = ws.CurrentProject();
    auto* text = dynamic_cast<StringSnapShotItem*>(grid.Element());
    if (!project || !text || grid.Shown() != PropertyGrid::Page::Element ||
        KindOfRow(*text, row) != kAttrStringId || !grid.StringChooserHook()) {
        return false;
    }
    const std::optional<StringRecord> chosen = grid.StringChooserHook()(project->Strings());
    if (!chosen) {
        return false;
    }
    RecordElementEdit(*project, *text, [&] {
        text->TextStore() = *chosen;
        StringItemInfo info = text->StringInfo();
        info.stringId = static_cast<std::int16_t>(chosen->number);
        text->SetStringInfo(info);
        text->RefreshRows();
    });
    ws.ShowElement(text);
    PostChange(Change::Redraw());
    return true;
}

bool PressProjectButton(Workspace& ws, int row)
{
    PropertyGrid& grid = ws.Grid();
    APStyleProject* project = grid.Project();
    if (!project || grid.Shown() != PropertyGrid::Page::Project || !Available(grid, row)) {
        return false;
    }
    APStyleProject& p = *project;
    platform::UserInteraction& ui = platform::interaction();
    const std::int32_t property = PropertyOf(grid, row);
    // Output files may not exist yet: they are chosen as a save would choose them.
    const auto file = [&ui](const char* filter, const std::string& current) {
        return ui.chooseFile(platform::FileChooserMode::Save, filter, {}, current);
    };
    bool changed = false;
    if (property == kRowCaseDir) {
        const std::optional<std::string> folder =
            ui.chooseFolder(platform::uiText("请选择Case路径"), p.CaseDir());
        if (!folder || folder->empty() || SameFolder(*folder, p.CaseDir())) {
            return false;
        }
        if (ui.askYesNo(platform::uiText("确定修改case目录（重新打开当前工程）？"), {},
                        platform::Answer::No) != platform::Answer::Yes) {
            return false;
        }
        // The grid now shows the reopened project (or the same one, on failure).
        return ChangeCaseDir(ws, p, platform::canonicalPath(*folder));
    } else if (property == kRowPicResPath) {
        changed =
            StoreChosenPath(p, file(platform::uiText("资源文件(*.res)|*.res||"), p.ResourceFile()),
                            p.ResourceFile(), [&p](const std::string& v) { p.SetResourceFile(v); });
    } else if (property == kRowStrResDir) {
        changed = StoreChosenPath(
            p, ui.chooseFolder(platform::uiText("请选择字符串资源存放路径"), p.StringDir()),
            p.StringDir(), [&p](const std::string& v) { p.SetStringDir(v); });
    } else if (property == kRowStyleHeader) {
        changed =
            StoreChosenPath(p, file(platform::uiText("头文件(*.h)|*.h||"), p.StyleHeader()),
                            p.StyleHeader(), [&p](const std::string& v) { p.SetStyleHeader(v); });
    } else if (property == kRowStylePath) {
        changed =
            StoreChosenPath(p, file(platform::uiText("sty文件(*.sty)|*.sty||"), p.StyleFile()),
                            p.StyleFile(), [&p](const std::string& v) { p.SetStyleFile(v); });
    } else if (property == kRowDesktopPath) {
        DesktopSettings& d = p.Desktop();
        changed =
            StoreChosenPath(p, file(platform::uiText("desktop文件(*.desktop)|*.desktop||"), d.path),
                            d.path, [&d](const std::string& v) { d.path = v; });
    } else if (property == kRowNameStringId) {
        const std::optional<StringRecord> chosen = grid.StringChooserHook()(p.Strings());
        if (chosen) {
            if (chosen->identifier != p.Desktop().nameStringId) {
                p.Desktop().nameStringId = chosen->identifier;
                p.SetModified(1);
            }
            changed = true;
        }
    }
    if (changed) {
        grid.Refresh();
    }
    return changed;
}

} // namespace editing::gridbutton

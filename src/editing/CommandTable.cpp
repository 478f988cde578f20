#include "editing/CommandTable.h"

#include "editing/AddCommands.h"
#include "editing/Arrange.h"
#include "editing/ChangeFeed.h"
#include "editing/ClipboardCommands.h"
#include "editing/CommandIds.h"
#include "editing/CommandRules.h"
#include "editing/DeleteCommands.h"
#include "editing/DirectoryCommands.h"
#include "editing/MiscCommands.h"
#include "editing/MultiSelection.h"
#include "editing/MoveCommands.h"
#include "editing/PseudoPreview.h"
#include "editing/UndoHistory.h"
#include "editing/ViewZoom.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/PicSnapshotItem.h"
#include "platform/UiText.h"

namespace editing {

namespace {

using Rule = std::function<bool(Workspace&)>;
using Handler = std::function<void(Workspace&)>;

bool Always(Workspace&)
{
    return true;
}

bool Never(Workspace&)
{
    return false;
}

bool AnyOpen(Workspace& ws)
{
    return !ws.Projects().empty();
}

// The tree menus exist only over a node, so only with a project.
bool TreeParentRule(Workspace& ws)
{
    return rules::HasProject(ws) && rules::ParentRule(ws);
}

bool IsPictureKind(Workspace& ws)
{
    SnapShotItem* element = ws.Selection().Element();
    return element && element->KindCode() == SnapShotItem::kPicture;
}

Command Shell(int id, const char* text, Rule enabled)
{
    return Command{id, platform::uiText(text), std::move(enabled), {}, {}};
}

Command Edit(int id, const char* text, Rule enabled, Handler handler)
{
    return Command{id, platform::uiText(text), std::move(enabled), {}, std::move(handler)};
}

// A menu switch that shows a pseudo-language on the surface, checked while it does.
Command PseudoPreviewSwitch(int id, const char* text, PseudoPreview kind)
{
    return Command{id, platform::uiText(text), rules::HasProject,
                   [kind](Workspace& ws) {
                       return ws.CurrentProject() &&
                              ShownPseudoPreview(*ws.CurrentProject()) == kind;
                   },
                   [kind](Workspace& ws) { TogglePseudoPreview(ws, kind); }};
}

void Move(Workspace& ws, int step)
{
    move::Caret(ws, step);
}

std::vector<Command> FileCommands()
{
    using namespace cmd;
    return {
        Shell(kNewProject, N_("新建工程(&N)\tCtrl+N"), Always),
        Shell(kOpenProject, N_("打开工程(&O)...\tCtrl+O"), Always),
        Shell(kSaveProject, N_("保存当前工程(&S)\tCtrl+S"), rules::HasProject),
        Shell(kSaveAll, N_("保存所有工程"), AnyOpen),
        Shell(kSaveAs, N_("另存为(&A)..."), rules::HasProject),
        Shell(kAutoSave, N_("自动保存"), Always),
        Shell(kCloseProject, N_("关闭当前工程"), rules::HasProject),
        Shell(kCloseAll, N_("关闭所有工程"), AnyOpen),
        Shell(kExit, N_("退出(&X)"), Always),
    };
}

std::vector<Command> AddingCommands()
{
    using namespace cmd;
    const auto fromMenu = [](int kind) {
        return [kind](Workspace& ws) { add::FromMenu(ws, kind); };
    };
    return {
        Edit(kAddScene, N_("添加场景(&S)"), rules::HasProject,
             [](Workspace& ws) { add::Scene(ws, true); }),
        Edit(kAddSceneNode, N_("添加场景"), rules::HasProject,
             [](Workspace& ws) { add::Scene(ws, false); }),
        Edit(kAddResourceDir, N_("添加资源目录"), rules::HasProject, dir::AddResourceDirectory),
        Edit(kAddGroup, N_("添加资源组(&C)"), rules::CanAddFromMenu,
             [](Workspace& ws) { add::Group(ws); }),
        Edit(kAddString, N_("添加字符串(&T)"), rules::CanAddFromMenu, fromMenu(2)),
        Edit(kAddRegion, N_("添加图片区(&I)"), rules::CanAddFromMenu, fromMenu(1)),
        Edit(kAddPicture, N_("添加图片(&P)"), rules::CanAddFromMenu,
             [](Workspace& ws) { add::IntoContainer(ws, 1); }),
        Edit(kAddFrame, N_("添加帧(&L)"), rules::CanAddFrame,
             [](Workspace& ws) { add::Frame(ws); }),
        Edit(kAddFrameDir, N_("添加帧目录"), rules::CanAddFrame, dir::AddFrameDirectory),
        Edit(kAddGroupNode, N_("添加资源组"), rules::CanAddIntoContainer,
             [](Workspace& ws) { add::Group(ws); }),
        Edit(kAddRegionNode, N_("添加图片区"), rules::CanAddIntoContainer,
             [](Workspace& ws) { add::IntoContainer(ws, 0); }),
        Edit(kAddStringNode, N_("添加字符"), rules::CanAddIntoContainer, fromMenu(2)),
        Edit(kAddPictureDir, N_("添加图片目录"), rules::HasProject, dir::AddPictureDirectory),
    };
}

std::vector<Command> EditCommands()
{
    using namespace cmd;
    const auto history = [](bool (*can)(APStyleProject&)) {
        return [can](Workspace& ws) { return ws.CurrentProject() && can(*ws.CurrentProject()); };
    };
    return {
        Edit(kUndo, N_("撤销(&U)"), history(CanUndo),
             [](Workspace& ws) { Undo(*ws.CurrentProject()); }),
        Edit(kRedo, N_("恢复(&R)"), history(CanRedo),
             [](Workspace& ws) { Redo(*ws.CurrentProject()); }),
        Edit(
            kCopy, N_("复制(&C)"),
            [](Workspace& ws) { return ws.Selection().Element() || ws.Selection().Scene(); },
            clip::Copy),
        Edit(kPaste, N_("粘贴(&P)"), clip::CanPaste, clip::Paste),
        Edit(
            kSelectAll, N_("全选(&A)"), [](Workspace& ws) { return !multi::Elements(ws).empty(); },
            multi::SelectLevel),
        Command{kMultiSelect, platform::uiText("多选"), Always,
                [](Workspace& ws) { return ws.Tree().CheckBoxes(); }, misc::MultiSelect},
        Edit(kDelete, N_("删除(&D)"), rules::CanDelete, del::Caret),
        Edit(kDeleteSelected, N_("删除"), rules::CanDeleteSelected, del::Selected),
        Edit(kMoveUp, N_("上移"), rules::CanMoveFromMenu, [](Workspace& ws) { Move(ws, -1); }),
        Edit(kMoveDown, N_("下移"), rules::CanMoveFromMenu, [](Workspace& ws) { Move(ws, 1); }),
        Edit(kMoveUpObject, N_("上移"), TreeParentRule, [](Workspace& ws) { Move(ws, -1); }),
        Edit(kMoveUpContainer, N_("上移"), TreeParentRule, [](Workspace& ws) { Move(ws, -1); }),
        Edit(kMoveDownObject, N_("下移"), TreeParentRule, [](Workspace& ws) { Move(ws, 1); }),
        Edit(kMoveDownContainer, N_("下移"), TreeParentRule, [](Workspace& ws) { Move(ws, 1); }),
        Edit(kClearPicture, N_("清除图片"), IsPictureKind,
             [](Workspace& ws) { misc::ClearPicture(ws); }),
        Edit(kToggleEditing, N_("禁止编辑"), rules::HasProject,
             [](Workspace& ws) { misc::ToggleEditing(ws); }),
        Edit(kReorderIds, "", rules::HasProject, [](Workspace& ws) { misc::ReorderIds(ws); }),
        Shell(kSearch, N_("搜索"), Always),
    };
}

// The 排列 menu: each command tells the status bar what it left alone.
std::vector<Command> ArrangeCommands()
{
    using namespace cmd;
    using arrange::Align;
    const auto note = [](const arrange::Outcome& outcome) {
        if (!outcome.note.empty()) {
            PostChange(Change::Note(outcome.note));
        }
    };
    const auto align = [note](Align how) {
        return [note, how](Workspace& ws) { note(arrange::AlignSelection(ws, how)); };
    };
    const auto distribute = [note](arrange::Axis axis) {
        return [note, axis](Workspace& ws) { note(arrange::DistributeSelection(ws, axis)); };
    };
    const auto match = [note](arrange::Match how) {
        return [note, how](Workspace& ws) { note(arrange::MatchSelection(ws, how)); };
    };
    return {
        Edit(kAlignLeft, N_("左对齐(&L)"), arrange::CanAlign, align(Align::Left)),
        Edit(kAlignRight, N_("右对齐(&R)"), arrange::CanAlign, align(Align::Right)),
        Edit(kAlignTop, N_("顶端对齐(&T)"), arrange::CanAlign, align(Align::Top)),
        Edit(kAlignBottom, N_("底端对齐(&B)"), arrange::CanAlign, align(Align::Bottom)),
        Edit(kAlignHorizontalCentre, N_("水平居中(&H)"), arrange::CanAlign,
             align(Align::HorizontalCentre)),
        Edit(kAlignVerticalCentre, N_("垂直居中(&V)"), arrange::CanAlign,
             align(Align::VerticalCentre)),
        Edit(kDistributeHorizontally, N_("水平分布(&D)"), arrange::CanDistribute,
             distribute(arrange::Axis::Horizontal)),
        Edit(kDistributeVertically, N_("垂直分布(&E)"), arrange::CanDistribute,
             distribute(arrange::Axis::Vertical)),
        Edit(kSameWidth, N_("等宽(&W)"), arrange::CanMatch, match(arrange::Match::Width)),
        Edit(kSameHeight, N_("等高(&G)"), arrange::CanMatch, match(arrange::Match::Height)),
        Edit(kSameSize, N_("等大小(&S)"), arrange::CanMatch, match(arrange::Match::Size)),
    };
}

std::vector<Command> ProjectCommands()
{
    using namespace cmd;
    std::vector<Command> list = {
        Shell(kProjectSettings, "", rules::HasProject),
        Shell(kProjectResize, N_("工程缩放"), rules::HasProject),
    };
    const std::pair<int, const char*> formats[] = {
        {kFormatRgb565, "RGB565"},    {kFormatArgb565, "ARGB565"}, {kFormatRgb888, "RGB888"},
        {kFormatArgb888, "ARGB888"},  {kFormatWatch, "Watch"},     {kFormatArgb6666, "ARGB6666"},
        {kFormatArgb1555, "ARGB1555"}};
    for (const auto& [id, text] : formats) {
        list.push_back(Shell(id, text, rules::HasProject));
    }
    const std::vector<Command> rest = {
        Shell(kCompress, N_("压缩图片资源"), rules::HasProject),
        Shell(kPicSameName, N_("图片名与文件名同名"), Never),
        Shell(kBuildBest, N_("质量最高(&B)"), rules::HasProject),
        Shell(kBuildSmallest, N_("占空间最小"), rules::HasProject),
        Shell(kBuild, N_("生成资源"), rules::HasProject),
        Shell(kBatchBuild, N_("批量生成资源"), Always),
        Shell(kBudgetReport, N_("资源空间报告..."), rules::HasProject),
        Shell(kDesktopFiles, N_("生成desktop文件"),
              [](Workspace& ws) {
                  return ws.CurrentProject() && ws.CurrentProject()->Desktop().create != 0;
              }),
        Shell(kResizer, N_("启动ui缩放程序"), rules::HasProject),
        Shell(kOpenCaseDir, N_("打开case目录"), rules::HasProject),
        Shell(kTreePanel, N_("工作区(&W)"), Always),
        Shell(kPropertyPanel, N_("属性区(&A)"), Always),
        Shell(kResourcePanel, N_("资源模板(&R)"), Always),
        Shell(kLayerPanel, N_("图层预览"), Always),
        Shell(kBuildLogPanel, N_("生成日志(&G)"), Always),
        Shell(kTextCheckPanel, N_("文本检查(&X)"), Always),
        Shell(kRulers, N_("标尺(&U)"), Always),
        Shell(kGuides, N_("参考线(&I)"), Always),
        PseudoPreviewSwitch(kPseudoAccented, N_("伪语言预览：加长(&P)"), PseudoPreview::Accented),
        PseudoPreviewSwitch(kPseudoMirrored, N_("伪语言预览：从右到左(&M)"),
                            PseudoPreview::Mirrored),
        Shell(kHelp, N_("帮助主题(&H)"), Always),
        Shell(kAbout, "About", Always),
        Shell(kToolbar, N_("工具栏(&T)"), Always),
        Shell(kStatusBar, N_("状态栏(&S)"), Always),
        Shell(kZoomIn, N_("放大(&I)"),
              [](Workspace& ws) { return ws.CurrentProject() && ws.Panel().Zoom() < zoom::kMax; }),
        Shell(kZoomOut, N_("缩小(&O)"),
              [](Workspace& ws) { return ws.CurrentProject() && ws.Panel().Zoom() > zoom::kMin; }),
        Shell(kZoomFit, N_("适合窗口(&F)"), rules::HasProject),
        Shell(kZoomActual, N_("实际大小(&Z)"), rules::HasProject),
        Shell(kZoomSelection, N_("缩放到选中对象(&L)"),
              [](Workspace& ws) { return ws.CurrentProject() && ws.Selection().Element(); }),
    };
    list.insert(list.end(), rest.begin(), rest.end());
    return list;
}

// 视图 -> 语言: each language by its own name, the same in every language. The shell keeps the
// choice and gives the handlers.
std::vector<Command> LanguageCommands()
{
    using namespace cmd;
    return {
        Shell(kUiLanguageChinese, N_("中文"), Always),
        Shell(kUiLanguageEnglish, "English", Always),
    };
}

} // namespace

CommandTable::CommandTable()
{
    for (auto part : {FileCommands(), AddingCommands(), EditCommands(), ArrangeCommands(),
                      ProjectCommands(), LanguageCommands()}) {
        m_commands.insert(m_commands.end(), part.begin(), part.end());
    }
}

const Command* CommandTable::Find(int id) const
{
    for (const Command& command : m_commands) {
        if (command.id == id) {
            return &command;
        }
    }
    return nullptr;
}

bool CommandTable::SetHandler(int id, std::function<void(Workspace&)> handler)
{
    for (Command& command : m_commands) {
        if (command.id == id) {
            command.handler = std::move(handler);
            return true;
        }
    }
    return false;
}

bool CommandTable::SetChecked(int id, std::function<bool(Workspace&)> checked)
{
    for (Command& command : m_commands) {
        if (command.id == id) {
            command.checked = std::move(checked);
            return true;
        }
    }
    return false;
}

bool CommandTable::IsEnabled(Workspace& ws, int id) const
{
    const Command* command = Find(id);
    return command && command->enabled(ws);
}

bool CommandTable::IsChecked(Workspace& ws, int id) const
{
    const Command* command = Find(id);
    return command && command->checked && command->checked(ws);
}

CommandTable::Result CommandTable::Run(Workspace& ws, int id) const
{
    // A flag left set would silence the refusals of every later run, those of the menu too.
    struct QuietForThisRun
    {
        Workspace& ws;
        ~QuietForThisRun() { ws.SetQuietFlag(0); }
    } quiet{ws};
    const Command* command = Find(id);
    if (!command) {
        return Result::Unknown;
    }
    if (!command->enabled(ws)) {
        return Result::Disabled;
    }
    if (!command->handler) {
        return Result::NoHandler;
    }
    // Whatever the command changes, the views hear of it once, when it is done.
    const ChangeBatch batch;
    command->handler(ws);
    return Result::Ran;
}

CommandTable::Result CommandTable::RunQuietly(Workspace& ws, int id) const
{
    ws.SetQuietFlag(1);
    return Run(ws, id);
}

} // namespace editing

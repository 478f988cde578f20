#include "editing/PropertyGrid.h"

#include "editing/ActModifySnapItemAttr.h"
#include "editing/ElementEdit.h"
#include "editing/ProjectTree.h"
#include "editing/RootGroup.h"
#include "editing/UndoHistory.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/SnapItemAttr.h"
#include "platform/MainWindowSink.h"
#include "platform/UserInteraction.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace editing {

namespace {

std::uint32_t ValueCell(AttrKind kind, bool editable)
{
    switch (kind) {
    case kAttrX:
    case kAttrY:
        return editable ? PropertyGrid::kCellEdit : PropertyGrid::kCellReadOnly;
    case kAttrNumber:
    case kAttrName:
    case kAttrColour:
        return PropertyGrid::kCellEdit;
    case kAttrMode:
    case kAttrFontSize:
    case kAttrYesNo:
    case kAttrCurrentFrame:
    case kAttrScrollDir:
    case kAttrArgbOutput:
    case kAttrTextAlign:
        return PropertyGrid::kCellDropList;
    default:
        return PropertyGrid::kCellReadOnly;
    }
}

std::uint32_t ButtonCell(AttrKind kind, bool editable)
{
    switch (kind) {
    case kAttrX:
    case kAttrY:
        return editable ? PropertyGrid::kCellEdit : PropertyGrid::kCellReadOnly;
    case kAttrPath:
    case kAttrStringId:
    case kAttrColour:
        return PropertyGrid::kCellButton;
    case kAttrTextAlign:
        return PropertyGrid::kCellDropList;
    default:
        return PropertyGrid::kCellReadOnly;
    }
}

bool Editable(std::uint32_t cell)
{
    return cell == PropertyGrid::kCellEdit || cell == PropertyGrid::kCellEditCombo ||
           cell == PropertyGrid::kCellDropList;
}

std::string Decimal(long long value)
{
    return std::to_string(value);
}

GridRow Row(const std::string& label, const std::string& value, std::uint32_t valueCell,
            const std::string& button = {}, std::uint32_t buttonCell = PropertyGrid::kCellReadOnly)
{
    return GridRow{label, value, button, valueCell, buttonCell};
}

const char* const kRotations[] = {"0 Degree", "90 Degree", "180 Degree", "270 Degree"};
// The display languages when the string table names none.
const char* const kDefaultLanguages[] = {"English", "Simplified Chinese", "Traditional Chinese"};

// The root group's property behind a group-backed row of the scene page, or -1.
int GroupPropertyOf(const std::string& label)
{
    static const std::pair<const char*, int> kMap[] = {{"x", 2},
                                                       {"y", 3},
                                                       {"Width", 4},
                                                       {"Height", 5},
                                                       {"Transparency", 6},
                                                       {"Background Color", 7},
                                                       {"Opaque", 11},
                                                       {"Visible", 10}};
    for (const auto& [name, id] : kMap) {
        if (label == name) {
            return id;
        }
    }
    return -1;
}

} // namespace

void PropertyGrid::ShowElement(SnapShotItem* element)
{
    Reset();
    if (element) {
        m_page = Page::Element;
        m_element = element;
        FillElement();
    }
    NotifyReset();
}

void PropertyGrid::ShowScene(Snapshot* scene)
{
    Reset();
    if (scene) {
        m_page = Page::Scene;
        m_scene = scene;
        FillScene();
    }
    NotifyReset();
}

void PropertyGrid::ShowProject(APStyleProject* project)
{
    Reset();
    if (project) {
        m_page = Page::Project;
        m_project = project;
        FillProject();
    }
    NotifyReset();
}

void PropertyGrid::Clear()
{
    Reset();
    NotifyReset();
}

void PropertyGrid::Reset()
{
    m_page = Page::None;
    m_element = nullptr;
    m_scene = nullptr;
    m_project = nullptr;
    m_rows.clear();
    CancelEdit();
}

void PropertyGrid::AddObserver(PropertyGridObserver* observer)
{
    if (observer &&
        std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end()) {
        m_observers.push_back(observer);
    }
}

void PropertyGrid::RemoveObserver(PropertyGridObserver* observer)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer),
                      m_observers.end());
}

void PropertyGrid::NotifyReset()
{
    // A copy: an observer may remove itself while it is told.
    const std::vector<PropertyGridObserver*> observers = m_observers;
    for (PropertyGridObserver* observer : observers) {
        observer->GridReset();
    }
}

void PropertyGrid::Refresh()
{
    std::vector<GridRow> before = std::move(m_rows);
    m_rows.clear();
    Fill();
    const bool sameRows =
        before.size() == m_rows.size() &&
        std::equal(before.begin(), before.end(), m_rows.begin(),
                   [](const GridRow& a, const GridRow& b) { return a.label == b.label; });
    if (!sameRows) {
        CancelEdit();
        NotifyReset();
        return;
    }
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const GridRow& a = before[i];
        const GridRow& b = m_rows[i];
        if (a.value != b.value || a.button != b.button || a.valueCellType != b.valueCellType ||
            a.buttonCellType != b.buttonCellType) {
            const std::vector<PropertyGridObserver*> observers = m_observers;
            for (PropertyGridObserver* observer : observers) {
                observer->GridRowChanged(static_cast<int>(i));
            }
        }
    }
}

void PropertyGrid::Fill()
{
    switch (m_page) {
    case Page::Element:
        FillElement();
        break;
    case Page::Scene:
        FillScene();
        break;
    case Page::Project:
        FillProject();
        break;
    case Page::None:
        break;
    }
}

void PropertyGrid::FillElement()
{
    const bool editable = m_element->OwnGraph() && m_element->IsEditable() != 0;
    for (int i = 0; i < m_element->RowCount(); ++i) {
        const SnapItemAttr& attr = m_element->Rows()[static_cast<std::size_t>(i)];
        m_rows.push_back(Row(attr.label, m_element->GetAttrText(i, 1),
                             ValueCell(attr.kind, editable), m_element->GetAttrText(i, 2),
                             ButtonCell(attr.kind, editable)));
    }
}

void PropertyGrid::FillScene()
{
    if (m_scene->Name().empty()) {
        char name[32];
        std::snprintf(name, sizeof name, "Scene%02u", static_cast<unsigned>(m_scene->GetId()));
        m_scene->SetName(name);
    }
    auto* group = dynamic_cast<CCanvasSnapShotItem*>(RootGroupOf(*m_scene));
    m_rows.push_back(Row("Name", m_scene->Name(), kCellEdit));
    if (group) {
        const GroupInfo info = group->Group();
        char colour[16];
        std::snprintf(colour, sizeof colour, "0x%.8x", static_cast<unsigned>(info.background));
        m_rows.push_back(Row("x", Decimal(info.x), kCellEdit));
        m_rows.push_back(Row("y", Decimal(info.y), kCellEdit));
        m_rows.push_back(Row("Width", Decimal(info.width), kCellEdit));
        m_rows.push_back(Row("Height", Decimal(info.height), kCellEdit));
        m_rows.push_back(Row("Transparency", Decimal(info.transparency), kCellEdit));
        m_rows.push_back(Row("Background Color", colour, kCellEdit, "Click Browse..", kCellButton));
        m_rows.push_back(Row("Opaque", info.opaque ? "Yes" : "No", kCellDropList));
    }
    m_rows.push_back(Row("Resource Num",
                         Decimal(static_cast<long long>(m_scene->Elements().size())),
                         kCellReadOnly));
    if (group) {
        const bool shown = static_cast<const Graph&>(*group).IsVisible();
        m_rows.push_back(Row("Visible", shown ? "Yes" : "No", kCellDropList));
    }
    m_rows.push_back(Row("Rotation", kRotations[m_scene->Record().direction % 4], kCellDropList));
}

void PropertyGrid::FillProject()
{
    const APStyleProject& p = *m_project;
    const DesktopSettings& d = p.Desktop();
    const std::string language = [&] {
        const auto& names = p.Strings().LanguageNames();
        const int index = p.DisplayLanguage();
        if (index >= 0 && index < StringRecord::kLanguages && !names[index].empty()) {
            return names[static_cast<std::size_t>(index)];
        }
        return std::string(index >= 0 && index < 3 ? kDefaultLanguages[index] : "");
    }();
    m_rows.push_back(Row("Name", p.Name(), kCellEdit));
    m_rows.push_back(Row("Display Language", language, kCellDropList));
    m_rows.push_back(Row("Screen Width", Decimal(p.ScreenWidth()), kCellEdit));
    m_rows.push_back(Row("Screen Height", Decimal(p.ScreenHeight()), kCellEdit));
    // Paths show in the form the project file stores them.
    // (A project made in memory has no directories to be relative to yet.)
    const auto stored = [&p](const std::string& path) {
        return p.CaseDir().empty() ? path : p.MakeRelativePath(path, false);
    };
    const std::string caseDir =
        p.ProjectDir().empty() ? p.CaseDir() : p.MakeRelativePath(p.CaseDir(), true);
    m_rows.push_back(Row("Case Dir", caseDir, kCellReadOnly, "Browse..", kCellButton));
    m_rows.push_back(
        Row("Pic Res Path", stored(p.ResourceFile()), kCellReadOnly, "Browse..", kCellButton));
    m_rows.push_back(
        Row("Str Res Dir", stored(p.StringDir()), kCellReadOnly, "Browse..", kCellButton));
    m_rows.push_back(
        Row("style header Path", stored(p.StyleHeader()), kCellReadOnly, "Browse..", kCellButton));
    m_rows.push_back(
        Row("style Path", stored(p.StyleFile()), kCellReadOnly, "Browse..", kCellButton));
    m_rows.push_back(
        Row("resource type", p.BuildResType() == 0 ? "Public" : "Private", kCellDropList));
    m_rows.push_back(Row(".desktop file", d.create ? "Yes" : "No", kCellDropList));
    m_rows.push_back(
        Row(".desktop file path", stored(d.path), kCellReadOnly, "Browse..", kCellButton));
    m_rows.push_back(Row("comment", d.comment, kCellEdit));
    m_rows.push_back(Row("exec dir", d.execDir, kCellEdit));
    m_rows.push_back(Row("type", d.type == 0 ? "Application" : "Directory", kCellDropList));
    m_rows.push_back(Row("child", d.child, kCellEdit));
    m_rows.push_back(Row("exec", d.exec, kCellEdit));
    m_rows.push_back(Row("icon-id", Decimal(d.iconId), kCellEdit));
    m_rows.push_back(Row("icon", Decimal(d.icon), kCellEdit));
    m_rows.push_back(Row("name-id", Decimal(d.nameId), kCellEdit));
    m_rows.push_back(Row("name", d.name, kCellEdit));
    m_rows.push_back(Row("name strId", d.nameStringId, kCellReadOnly, "Browse..", kCellButton));
}

int PropertyGrid::FindRow(const std::string& label) const
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].label == label) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<std::string> PropertyGrid::DropDownItems(int row, int column) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size()) {
        return {};
    }
    const GridRow& cell = m_rows[static_cast<std::size_t>(row)];
    if ((column == 1 ? cell.valueCellType : cell.buttonCellType) != kCellDropList) {
        return {};
    }
    if (m_page == Page::Element) {
        return ElementDropDown(*m_element, row, column);
    }
    if (cell.label == "Rotation") {
        return {std::begin(kRotations), std::end(kRotations)};
    }
    if (cell.label == "resource type") {
        return {"Public", "Private"};
    }
    if (cell.label == "type") {
        return {"Application", "Directory"};
    }
    if (cell.label == "Display Language") {
        std::vector<std::string> names;
        for (const std::string& name : m_project->Strings().LanguageNames()) {
            if (!name.empty()) {
                names.push_back(name);
            }
        }
        if (names.empty()) {
            names = {std::begin(kDefaultLanguages), std::end(kDefaultLanguages)};
        }
        return names;
    }
    return {"No", "Yes"};
}

std::uint32_t PropertyGrid::CellType(int row, int column) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size() || column < 1 || column > 2) {
        return kCellReadOnly;
    }
    const GridRow& cell = m_rows[static_cast<std::size_t>(row)];
    return column == 1 ? cell.valueCellType : cell.buttonCellType;
}

std::uint32_t PropertyGrid::BeginEdit(int row, int column)
{
    CancelEdit();
    const std::uint32_t type = CellType(row, column);
    if (type != kCellEdit && type != kCellEditCombo && type != kCellDropList &&
        type != kCellButton) {
        return 0;
    }
    m_editRow = row;
    m_editColumn = column;
    return type;
}

bool PropertyGrid::EndEdit(APStyleProject& project, ProjectTree& tree, const std::string& text)
{
    if (!Editing()) {
        return false;
    }
    const int row = m_editRow;
    const int column = m_editColumn;
    CancelEdit();
    return Commit(project, tree, row, column, text);
}

int PropertyGrid::EditNeighbour(int delta) const
{
    if (!Editing()) {
        return -1;
    }
    const long long row = static_cast<long long>(m_editRow) + delta;
    return row >= 0 && row < static_cast<long long>(m_rows.size()) ? static_cast<int>(row) : -1;
}

bool PropertyGrid::Commit(APStyleProject& project, ProjectTree& tree, int row, int column,
                          const std::string& text)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size() || column < 1 || column > 2) {
        return false;
    }
    const GridRow& cell = m_rows[static_cast<std::size_t>(row)];
    if (!Editable(column == 1 ? cell.valueCellType : cell.buttonCellType)) {
        return false;
    }
    const std::vector<std::string> items = DropDownItems(row, column);
    if ((column == 1 ? cell.valueCellType : cell.buttonCellType) == kCellDropList &&
        std::find(items.begin(), items.end(), text) == items.end()) {
        return false;
    }
    switch (m_page) {
    case Page::Element:
        return CommitElement(project, tree, row, column, text);
    case Page::Scene:
        return CommitScene(project, tree, row, text);
    case Page::Project:
        return CommitProject(tree, row, text);
    case Page::None:
        break;
    }
    return false;
}

bool PropertyGrid::PressColourButton(APStyleProject& project, ProjectTree& tree, int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size() ||
        m_rows[static_cast<std::size_t>(row)].buttonCellType != kCellButton) {
        return false;
    }
    SnapShotItem* target = m_element;
    int targetRow = row;
    if (m_page == Page::Scene) {
        const std::string& label = m_rows[static_cast<std::size_t>(row)].label;
        target = RootGroupOf(*m_scene);
        targetRow =
            target && label == "Background Color" ? target->FindRow(GroupPropertyOf(label)) : -1;
    } else if (m_page != Page::Element) {
        target = nullptr;
    }
    if (!target || targetRow < 0 || targetRow >= target->RowCount() ||
        target->Rows()[static_cast<std::size_t>(targetRow)].kind != kAttrColour) {
        return false;
    }
    const auto initial =
        static_cast<std::uint32_t>(target->Rows()[static_cast<std::size_t>(targetRow)].Number());
    const std::optional<std::uint32_t> chosen = platform::interaction().chooseColour(initial);
    if (!chosen) {
        return false;
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "%x", static_cast<unsigned>(*chosen));
    CommitElementText(project, tree, *target, targetRow, 1, hex);
    Refresh();
    return true;
}

bool PropertyGrid::CommitElement(APStyleProject& project, ProjectTree& tree, int row, int column,
                                 const std::string& text)
{
    CommitElementText(project, tree, *m_element, row, column, text);
    Refresh();
    return true;
}

bool PropertyGrid::CommitScene(APStyleProject& project, ProjectTree& tree, int row,
                               const std::string& text)
{
    const std::string label = m_rows[static_cast<std::size_t>(row)].label;
    if (label == "Name") {
        if (text == m_scene->Name()) {
            return true;
        }
        if (text.empty() || SceneNameTaken(project, *m_scene, text)) {
            return false;
        }
        m_scene->SetName(text);
        tree.SetLabel(tree.FindNode(m_scene), text);
        project.SetModified(1);
    } else if (label == "Rotation") {
        for (std::uint8_t i = 0; i < 4; ++i) {
            if (text == kRotations[i]) {
                m_scene->Record().direction = i;
            }
        }
        project.SetModified(1);
        project.NotifyScreenSize(*m_scene);
    } else if (const int id = GroupPropertyOf(label); id >= 0 && RootGroupOf(*m_scene)) {
        SnapShotItem& group = *RootGroupOf(*m_scene);
        CommitElementText(project, tree, group, group.FindRow(id), 1, text);
    } else {
        return false;
    }
    Refresh();
    return true;
}

bool PropertyGrid::CommitProject(ProjectTree& tree, int row, const std::string& text)
{
    APStyleProject& p = *m_project;
    DesktopSettings& d = p.Desktop();
    const std::string label = m_rows[static_cast<std::size_t>(row)].label;
    const auto store = [&p](auto& field, const auto& value) {
        if (field != value) {
            field = value;
            p.SetModified(1);
        }
    };
    if (label == "Name") {
        if (text != p.Name()) {
            p.SetName(text);
            tree.SetProjectLabel(p, text);
            p.SetModified(1);
        }
    } else if (label == "Display Language") {
        const std::vector<std::string> items = DropDownItems(row, 1);
        const auto index = std::find(items.begin(), items.end(), text) - items.begin();
        p.SetDisplayLanguage(static_cast<std::int32_t>(index));
        p.SetModified(1);
        ReloadTopLevel(p);
        platform::notifyMainWindow(platform::kMsgRedrawSurface);
    } else if (label == "Screen Width" || label == "Screen Height") {
        const std::int32_t value = ParseDecimalText(text);
        label == "Screen Width" ? p.SetScreenWidth(value) : p.SetScreenHeight(value);
        p.SetModified(1);
        platform::notifyMainWindow(platform::kMsgResizeSurface,
                                   static_cast<std::uintptr_t>(p.ScreenWidth()),
                                   static_cast<std::intptr_t>(p.ScreenHeight()));
    } else if (label == "resource type") {
        const std::int32_t type = text == "Public" ? 0 : 1;
        if (type != p.BuildResType()) {
            p.SetBuildResType(type);
            p.SetModified(1);
        }
    } else if (label == ".desktop file") {
        store(d.create, std::int32_t{text == "Yes" ? 1 : 0});
    } else if (label == "type") {
        store(d.type, std::int32_t{text == "Directory" ? 1 : 0});
    } else if (label == "comment") {
        store(d.comment, text);
    } else if (label == "exec dir") {
        store(d.execDir, text);
    } else if (label == "child") {
        store(d.child, text);
    } else if (label == "exec") {
        store(d.exec, text);
    } else if (label == "name") {
        store(d.name, text);
    } else if (label == "icon-id") {
        store(d.iconId, ParseDecimalText(text));
    } else if (label == "icon") {
        store(d.icon, ParseDecimalText(text));
    } else if (label == "name-id") {
        store(d.nameId, ParseDecimalText(text));
    } else {
        return false;
    }
    Refresh();
    return true;
}

} // namespace editing

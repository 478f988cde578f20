#include "editing/PropertyGrid.h"

#include "editing/ElementEdit.h"
#include "editing/GridPages.h"
#include "editing/ProjectTree.h"
#include "editing/RecordedEdit.h"
#include "editing/RootGroup.h"
#include "editing/UndoHistory.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/SnapItemAttr.h"
#include "editing/ChangeFeed.h"
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

// The text a scene row shows, from the scene or its root group.
std::string SceneValue(const Snapshot& scene, const CCanvasSnapShotItem* group, std::int32_t id)
{
    if (id == 0) {
        return scene.Name();
    }
    if (id == 9) {
        return Decimal(static_cast<long long>(scene.Elements().size()));
    }
    if (id == 11) {
        return SceneRotations()[scene.Record().direction % 4];
    }
    const GroupInfo info = group->Group();
    switch (id) {
    case 2:
        return Decimal(info.x);
    case 3:
        return Decimal(info.y);
    case 4:
        return Decimal(info.width);
    case 5:
        return Decimal(info.height);
    case 6:
        return Decimal(info.transparency);
    case 7: {
        char colour[16];
        std::snprintf(colour, sizeof colour, "0x%.8x", static_cast<unsigned>(info.background));
        return colour;
    }
    case 8:
        return info.opaque ? "Yes" : "No";
    case 10:
        return static_cast<const Graph&>(*group).IsVisible() ? "Yes" : "No";
    default:
        return {};
    }
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

void PropertyGrid::ShowElements(const std::vector<SnapShotItem*>& elements)
{
    if (elements.size() < 2) {
        ShowElement(elements.empty() ? nullptr : elements.front());
        return;
    }
    Reset();
    m_page = Page::Element;
    m_element = elements.front();
    m_others.assign(elements.begin() + 1, elements.end());
    FillElement();
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
    m_others.clear();
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
    const bool sameRows = before.size() == m_rows.size() &&
                          std::equal(before.begin(), before.end(), m_rows.begin(),
                                     [](const GridRow& a, const GridRow& b) {
                                         return a.label == b.label && a.property == b.property;
                                     });
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
        const std::int32_t property =
            i < m_element->DescCount() ? m_element->DescTable()[i].id : -1;
        if (m_others.empty()) {
            GridRow row =
                Row(attr.label, m_element->GetAttrText(i, 1), ValueCell(attr.kind, editable),
                    m_element->GetAttrText(i, 2), ButtonCell(attr.kind, editable));
            row.property = property;
            m_rows.push_back(std::move(row));
            continue;
        }
        // Names are each element's own; other rows only where every element has them.
        if (attr.kind == kAttrName || property < 0) {
            continue;
        }
        std::string value = m_element->GetAttrText(i, 1);
        bool shared = true;
        for (SnapShotItem* other : m_others) {
            const int at = other->FindRow(property);
            if (at < 0 || other->Rows()[static_cast<std::size_t>(at)].kind != attr.kind) {
                shared = false;
                break;
            }
            if (other->GetAttrText(at, 1) != value) {
                value.clear();
            }
        }
        if (shared) {
            GridRow row = Row(attr.label, value, ValueCell(attr.kind, editable));
            row.property = property;
            m_rows.push_back(std::move(row));
        }
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
    for (const SceneRowRule& rule : SceneRowRules()) {
        // A scene without its root group has only its own rows.
        if (rule.groupProperty >= 0 && !group) {
            continue;
        }
        GridRow row = Row(SceneRowLabel(rule.id), SceneValue(*m_scene, group, rule.id),
                          rule.valueCell, rule.button ? rule.button : "", rule.buttonCell);
        row.property = rule.id;
        m_rows.push_back(std::move(row));
    }
}

void PropertyGrid::FillProject()
{
    for (const ProjectRowRule& rule : ProjectRowRules()) {
        GridRow row = Row(ProjectRowLabel(rule.id), rule.read(*m_project), rule.valueCell,
                          rule.buttonCell == kCellButton ? "Browse.." : "", rule.buttonCell);
        row.property = rule.id;
        m_rows.push_back(std::move(row));
    }
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
        const int elementRow = m_others.empty() ? row : m_element->FindRow(cell.property);
        return ElementDropDown(*m_element, elementRow, column);
    }
    if (m_page == Page::Scene) {
        return cell.property == 11 ? SceneRotations() : std::vector<std::string>{"No", "Yes"};
    }
    const ProjectRowRule* rule = FindProjectRowRule(cell.property);
    return rule && rule->items ? rule->items(*m_project) : std::vector<std::string>{};
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
    // The views hear of the edit once, when it is committed; an edit that made the project
    // modified tells them so.
    const ChangeBatch batch;
    APStyleProject* changed = m_page == Page::Project ? m_project : &project;
    const bool wasModified = changed->Modified() != 0;
    bool committed = false;
    switch (m_page) {
    case Page::Element:
        committed = CommitElement(project, tree, row, column, text);
        break;
    case Page::Scene:
        committed = CommitScene(project, tree, row, text);
        break;
    case Page::Project:
        committed = CommitProject(tree, row, text);
        break;
    case Page::None:
        break;
    }
    if (committed && !wasModified && changed->Modified()) {
        PostChange(Change::Redraw());
    }
    return committed;
}

SnapShotItem* PropertyGrid::ColourTarget(int row, int& targetRow) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size()) {
        return nullptr;
    }
    const GridRow& cell = m_rows[static_cast<std::size_t>(row)];
    SnapShotItem* target = nullptr;
    targetRow = -1;
    if (m_page == Page::Element) {
        target = m_element;
        targetRow = m_others.empty() ? row : m_element->FindRow(cell.property);
    } else if (m_page == Page::Scene) {
        const SceneRowRule* rule = FindSceneRowRule(cell.property);
        target = RootGroupOf(*m_scene);
        targetRow =
            target && rule && rule->groupProperty >= 0 ? target->FindRow(rule->groupProperty) : -1;
    }
    if (!target || targetRow < 0 || targetRow >= target->RowCount() ||
        target->Rows()[static_cast<std::size_t>(targetRow)].kind != kAttrColour) {
        return nullptr;
    }
    return target;
}

std::optional<std::uint32_t> PropertyGrid::RowColour(int row) const
{
    int targetRow = -1;
    const SnapShotItem* target = ColourTarget(row, targetRow);
    // A value that differs between the elements shown has no colour to show.
    if (!target || m_rows[static_cast<std::size_t>(row)].value.empty()) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(target->Rows()[static_cast<std::size_t>(targetRow)].Number());
}

bool PropertyGrid::PressColourButton(APStyleProject& project, ProjectTree& tree, int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size() ||
        m_rows[static_cast<std::size_t>(row)].buttonCellType != kCellButton) {
        return false;
    }
    int targetRow = -1;
    SnapShotItem* target = ColourTarget(row, targetRow);
    if (!target) {
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
    if (m_others.empty()) {
        CommitElementText(project, tree, *m_element, row, column, text);
        Refresh();
        return true;
    }
    const std::int32_t property = m_rows[static_cast<std::size_t>(row)].property;
    std::vector<SnapShotItem*> elements{m_element};
    elements.insert(elements.end(), m_others.begin(), m_others.end());
    RecordElementsEdit(
        project, elements,
        [&] {
            for (SnapShotItem* element : elements) {
                element->SetAttrText(element->FindRow(property), column, text);
            }
        },
        RecordPolicy::Always);
    Refresh();
    return true;
}

bool PropertyGrid::CommitScene(APStyleProject& project, ProjectTree& tree, int row,
                               const std::string& text)
{
    const SceneRowRule* rule = FindSceneRowRule(m_rows[static_cast<std::size_t>(row)].property);
    if (!rule) {
        return false;
    }
    if (rule->groupProperty >= 0) {
        SnapShotItem* group = RootGroupOf(*m_scene);
        if (!group) {
            return false;
        }
        CommitElementText(project, tree, *group, group->FindRow(rule->groupProperty), 1, text);
    } else if (rule->id == 0) {
        if (text == m_scene->Name()) {
            return true;
        }
        if (text.empty() || SceneNameTaken(project, *m_scene, text)) {
            return false;
        }
        m_scene->SetName(text);
        tree.SetLabel(tree.FindNode(m_scene), text);
        project.SetModified(1);
    } else if (rule->id == 11) {
        const auto& rotations = SceneRotations();
        const auto at = std::find(rotations.begin(), rotations.end(), text);
        m_scene->Record().direction = static_cast<std::uint8_t>(at - rotations.begin());
        project.SetModified(1);
        project.NotifyScreenSize(*m_scene);
    } else {
        return false;
    }
    Refresh();
    return true;
}

bool PropertyGrid::CommitProject(ProjectTree& tree, int row, const std::string& text)
{
    const ProjectRowRule* rule = FindProjectRowRule(m_rows[static_cast<std::size_t>(row)].property);
    if (!rule || !rule->write || !rule->write(*m_project, tree, text)) {
        return false;
    }
    Refresh();
    return true;
}

} // namespace editing

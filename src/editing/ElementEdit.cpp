#include "editing/ElementEdit.h"

#include "editing/KeptGeometry.h"
#include "editing/ProjectTree.h"
#include "editing/RecordedEdit.h"
#include "model/APStyleProject.h"
#include "model/PicSnapshotItem.h"
#include "platform/AsciiCase.h"

namespace editing {

void CommitElementText(APStyleProject& project, ProjectTree& tree, SnapShotItem& element, int row,
                       int column, const std::string& text)
{
    RecordElementEdit(project, element, [&] {
        if (row == 0 && text != element.GetAttrText(0, column)) {
            element.SetAttrText(0, column, text);
            tree.SetLabel(tree.FindNode(&element), element.Name());
        } else {
            element.SetAttrText(row, column, text);
        }
    });
}

std::vector<std::string> ElementDropDown(SnapShotItem& element, int row, int column)
{
    if (row < 0 || row >= element.RowCount()) {
        return {};
    }
    switch (element.Rows()[static_cast<std::size_t>(row)].kind) {
    case kAttrMode:
        return {"Normal", "Transparent"};
    case kAttrTextAlign:
        if (column == 1) {
            return {"Horizontal Left", "Horizontal Center", "Horizontal Right"};
        }
        return {"Vertical Top", "Vertical Center", "Vertical Bottom"};
    case kAttrFontSize:
        return {"16 Pixel", "32 Pixel"};
    case kAttrYesNo:
        return {"No", "Yes"};
    case kAttrCurrentFrame: {
        std::vector<std::string> items;
        if (auto* picture = dynamic_cast<PicSnapshotItem*>(&element);
            picture && element.KindCode() == SnapShotItem::kPicture) {
            for (std::size_t i = 0; i < picture->Frames().size(); ++i) {
                items.push_back(std::to_string(i));
            }
        }
        return items;
    }
    case kAttrScrollDir:
        return {"Right to Left", "Left to Right"};
    case kAttrArgbOutput:
        return {"Default", "8888", "6666"};
    default:
        return {};
    }
}

bool SceneNameTaken(const APStyleProject& project, const Snapshot& scene, const std::string& name)
{
    for (const auto& other : project.Scenes()) {
        if (other.get() != &scene && !other->IsDeleted() &&
            platform::equalsIgnoreAsciiCase(other->Name(), name)) {
            return true;
        }
    }
    return false;
}

void ReloadTopLevel(APStyleProject& project)
{
    for (const auto& scene : project.Scenes()) {
        for (const auto& element : scene->Elements()) {
            // A new language changes texts, not the stored sizes of pictures.
            ReloadKeepingGeometry(*element);
        }
    }
}

} // namespace editing

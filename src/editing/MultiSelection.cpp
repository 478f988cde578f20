#include "editing/MultiSelection.h"

#include "components/visual/Graph.h"
#include "components/visual/VisualEditor.h"
#include "editing/ChangeFeed.h"
#include "editing/ProjectTree.h"
#include "editing/Workspace.h"
#include "model/SnapShotItem.h"

#include <algorithm>

namespace editing::multi {
namespace {

bool IsElementNode(const TreeNode* node)
{
    return node &&
           (node->data.kind == TreeNodeData::kElement || node->data.kind == TreeNodeData::kGroup) &&
           node->data.element && !node->data.element->IsDeleted();
}

} // namespace

std::vector<SnapShotItem*> Elements(Workspace& ws)
{
    ProjectTree& tree = ws.Tree();
    TreeNode* key = tree.Caret();
    if (!IsElementNode(key)) {
        SnapShotItem* element = ws.Selection().Element();
        return element ? std::vector<SnapShotItem*>{element} : std::vector<SnapShotItem*>{};
    }
    std::vector<SnapShotItem*> elements{key->data.element};
    for (TreeNode* node : tree.AllNodes()) {
        if (node != key && node->selected && IsElementNode(node) &&
            node->data.scene == key->data.scene) {
            elements.push_back(node->data.element);
        }
    }
    return elements;
}

void Toggle(Workspace& ws, SnapShotItem& element)
{
    ProjectTree& tree = ws.Tree();
    TreeNode* node = tree.FindNode(&element);
    TreeNode* key = tree.Caret();
    if (!node) {
        return;
    }
    const ChangeBatch batch(ws.Feed());
    if (!IsElementNode(key) || key->data.scene != node->data.scene) {
        ws.Select(&element);
        ShowOnSurface(ws);
        return;
    }
    // The key element stays marked while it is the caret.
    tree.SetSelected(key, true);
    if (!node->selected) {
        // A picked element shows in the tree, its parents opened.
        tree.EnsureVisible(node);
        tree.SetSelected(node, true);
    } else if (node != key) {
        tree.SetSelected(node, false);
    } else {
        const std::vector<SnapShotItem*> others = Elements(ws);
        if (others.size() > 1) {
            tree.SetSelected(node, false);
            // The next one becomes the key element; the caret moves without unmarking.
            ws.SelectObject(others[1]);
        }
    }
    ShowOnSurface(ws);
}

void SelectSet(Workspace& ws, const std::vector<SnapShotItem*>& elements)
{
    if (elements.empty()) {
        return;
    }
    const ChangeBatch batch(ws.Feed());
    ws.Select(elements.front());
    ProjectTree& tree = ws.Tree();
    TreeNode* key = tree.Caret();
    for (std::size_t i = 1; i < elements.size(); ++i) {
        TreeNode* node = tree.FindNode(elements[i]);
        if (IsElementNode(node) && key && node->data.scene == key->data.scene) {
            tree.EnsureVisible(node);
            tree.SetSelected(node, true);
        }
    }
    ShowOnSurface(ws);
}

void SelectLevel(Workspace& ws)
{
    ProjectTree& tree = ws.Tree();
    TreeNode* key = tree.Caret();
    if (!IsElementNode(key) || !key->parent) {
        return;
    }
    const ChangeBatch batch(ws.Feed());
    for (const auto& sibling : key->parent->children) {
        if (IsElementNode(sibling.get())) {
            tree.SetSelected(sibling.get(), true);
        }
    }
    ShowOnSurface(ws);
}

void Clear(Workspace& ws)
{
    ProjectTree& tree = ws.Tree();
    const ChangeBatch batch(ws.Feed());
    for (TreeNode* node : tree.AllNodes()) {
        if (node->selected && node != tree.Caret()) {
            tree.SetSelected(node, false);
        }
    }
    ShowOnSurface(ws);
}

void ShowOnSurface(Workspace& ws)
{
    const std::vector<SnapShotItem*> elements = Elements(ws);
    if (elements.size() < 2) {
        // One element is shown as a click shows it, with the group it belongs to.
        ws.Panel().Editor().SetKeyObj(nullptr);
        if (!elements.empty()) {
            ws.Panel().ClearSelection();
            if (Graph* graph = elements.front()->OwnGraph()) {
                graph->SetSelected(true);
            }
            if (Graph* parent = elements.front()->ParentGraph()) {
                parent->SetSelected(true);
            }
        }
        if (!ws.Grid().Others().empty() && !elements.empty()) {
            ws.Grid().ShowElement(elements.front());
        }
        PostChange(Change::Selection());
        return;
    }
    ws.Grid().ShowElements(elements);
    ws.Panel().ClearSelection();
    for (SnapShotItem* element : elements) {
        if (Graph* graph = element->OwnGraph()) {
            graph->SetSelected(true);
        }
    }
    ws.Panel().Editor().SetKeyObj(elements.front()->OwnGraph());
    PostChange(Change::Selection());
}

} // namespace editing::multi

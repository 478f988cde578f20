#pragma once

#include "editing/ChangeFeed.h"
#include "editing/EditSelection.h"
#include "editing/EditingPanel.h"
#include "editing/GuideStore.h"
#include "editing/ProjectClipboard.h"
#include "editing/ProjectTree.h"
#include "editing/PropertyGrid.h"
#include "editing/TreeSearch.h"
#include "platform/MainWindowSink.h"

#include <functional>
#include <memory>
#include <vector>

class APStyleProject;
class VisualEditor;

namespace editing {

// The toolkit-free state of the main frame that the structural commands act on:
// the open projects (owned), the selection state, the copy buffer, the copy and
// quiet flags, the project tree, the editing panel and the property grid.
//
// It is the one dispatcher of changes: its feed is the installed one while it lives, and
// the main-window messages of the layers below arrive as typed changes in it. The
// workspace is the first panel model to hear each batch and settles, in this order, the
// modified flag, the tree, the grid and the editing panel; the layer list and the resource
// panel follow it, and the views after all of them.
class Workspace : private platform::MainWindowSink, private ChangeObserver
{
public:
    // Lists of the resource panel.
    enum ResourceList : int
    {
        kPictureList = 0,
        kStringList = 1
    };

    // `editor` is the editing surface, not owned; it must outlive the workspace.
    explicit Workspace(VisualEditor& editor);
    ~Workspace() override;
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // Takes an open project: adds it to the list and the tree, makes it current and
    // shows its settings. Returns it, owned by the workspace.
    APStyleProject& OpenProject(std::unique_ptr<APStyleProject> project);
    // Closes and destroys `project`; the first remaining one becomes current.
    void CloseProject(APStyleProject* project);
    std::vector<APStyleProject*> Projects() const;
    bool IsOpen(const APStyleProject* project) const;

    APStyleProject* CurrentProject() const { return m_selection.Project(); }
    // Makes `project` the current one, also for identifier counting.
    void SetCurrentProject(APStyleProject* project);

    ChangeFeed& Feed() { return m_feed; }
    EditSelection& Selection() { return m_selection; }
    ProjectClipboard& Clipboard() { return m_clipboard; }
    int CopyFlag() const { return m_copyFlag; }
    void SetCopyFlag(int flag) { m_copyFlag = flag; }
    // Set, the delete commands refuse without a message. It is meant for one command run:
    // CommandTable::RunQuietly sets it, and every run through the table clears it.
    int QuietFlag() const { return m_quietFlag; }
    void SetQuietFlag(int flag) { m_quietFlag = flag; }
    ProjectTree& Tree() { return m_tree; }
    EditingPanel& Panel() { return m_panel; }
    // The user's guides of the open projects.
    GuideStore& Guides() { return m_guides; }
    // The user placed, moved or removed a guide on the surface: the scene shown keeps the
    // surface's guides now.
    void GuidesEdited();
    PropertyGrid& Grid() { return m_grid; }
    // The search dialog's logic (command 32854); the dialog resets it when it opens.
    TreeSearch& Search() { return m_search; }
    int ShownResourceList() const { return m_resourceList; }
    // Number of times the resource panel was filled again.
    int ResourceRefreshCount() const { return m_resourceRefreshes; }
    // The resource panel fills itself again when the batch ends.
    void RefreshResourcePanel()
    {
        ++m_resourceRefreshes;
        m_feed.Post(Change{ChangeKind::Resources});
    }

    // Shows an element, a scene or a project's settings in the property grid and
    // records it in the selection state.
    void ShowElement(SnapShotItem* element);
    void ShowScene(Snapshot* scene);
    void ShowSettings(APStyleProject* project);

    // What the main frame does when the tree's caret moves to `node`.
    void OnSelectionChanged(TreeNode* node);
    // Makes `element` the selection, as a click on the surface does: the tree's caret goes
    // to its node (a region's current frame node), the grid shows it, the surface selects it.
    void Select(SnapShotItem* element);
    // Rebuilds the tree from all open projects.
    void RebuildTree();
    // Makes the node of `object` the caret; a scene's root group stands for its
    // scene node. Returns false when there is no node.
    bool SelectObject(const void* object, bool expand = false);

private:
    // A main-window message of the layers below becomes a typed change.
    void notify(const platform::MainWindowNotification& notification) override;
    void OnChanges(const ChangeSet& changes) override;
    void SyncTree(const ChangeSet& changes);
    void SelectRebuilt(const Change& rebuild);
    void ShowNode(APStyleProject& project, TreeNode* node);
    void PostSelection();
    void SelectElementNode(TreeNode& node, const TreeNodeData& data, APStyleProject& project);
    void SelectFrameNode(const TreeNodeData& data);
    void SelectGroupNode(const TreeNodeData& data);
    void SwitchResourceList(int list);
    void FollowArgbOutput(std::int64_t value);

    std::vector<std::unique_ptr<APStyleProject>> m_projects;
    EditSelection m_selection;
    ProjectClipboard m_clipboard;
    int m_copyFlag = 0;
    int m_quietFlag = 0;
    ProjectTree m_tree;
    TreeSearch m_search{m_tree};
    GuideStore m_guides;
    EditingPanel m_panel;
    PropertyGrid m_grid;
    int m_resourceList = kPictureList;
    int m_resourceRefreshes = 0;
    // The project the resource panel was last told about.
    const APStyleProject* m_resourceProject = nullptr;
    ChangeFeed m_feed;
    ChangeFeed* m_previousFeed;
    platform::MainWindowSink* m_previousSink;
};

} // namespace editing

#pragma once

#include <cstdint>
#include <string>
#include <vector>

class APStyleProject;
class Snapshot;
class SnapShotItem;

namespace editing {

// What changed. The values of the first seven are the main window's message ids, whose
// meanings they keep.
enum class ChangeKind : unsigned
{
    ElementChanged = 0x465, // `element` was selected or changed: show it in the grid and tree
    SurfaceRedraw = 0x467,  // redraw the surface; the project is modified
    PropertyFollow = 0x468, // `property` became `value`: the selected pictures follow it
    GenerationStep = 0x469, // a build step: `value` percent (0 hides it) of `text`
    TreeRebuild = 0x46A,    // rebuild the tree and select `element`, `scene` or `project`
    SurfaceResize = 0x46B,  // the surface takes the screen size `width` x `height`
    SurfaceRefresh = 0x46C, // refresh the surface; the project is modified
    Selection = 0x1001,     // the selection moved (tree caret, surface pick)
    Projects = 0x1002,      // a project was opened, closed or saved, or became current
    Resources = 0x1003,     // the resource panel lists again (another project, list or file)
    StatusNote = 0x1004,    // `text` is a note for the status bar (what a command left alone)
    Preview = 0x1005,       // the surface shows other texts (a preview); the project is unchanged
};

// One typed change. Only the fields its kind names are set.
struct Change
{
    explicit Change(ChangeKind of = ChangeKind::SurfaceRedraw) : kind(of) {}

    ChangeKind kind;
    APStyleProject* project = nullptr;
    Snapshot* scene = nullptr;
    SnapShotItem* element = nullptr;
    int property = 0;
    std::int64_t value = 0;
    int width = 0;
    int height = 0;
    std::string text;

    static Change ElementChanged(SnapShotItem* element);
    static Change Redraw();
    static Change Refresh();
    static Change Rebuild(SnapShotItem* element);
    static Change Rebuild(Snapshot* scene);
    static Change Rebuild(APStyleProject* project);
    static Change Resize(int width, int height);
    static Change Selection();
    static Change Note(std::string text);
};

// The changes of one batch (a command, a gesture, an undo step), in the order they came.
class ChangeSet
{
public:
    void Add(Change change) { m_changes.push_back(std::move(change)); }
    bool Empty() const { return m_changes.empty(); }
    const std::vector<Change>& Changes() const { return m_changes; }
    bool Has(ChangeKind kind) const;
    // The last change of `kind`, or null.
    const Change* Last(ChangeKind kind) const;
    // Whether the batch changed a project (the document becomes modified).
    bool Modifies() const;
    // Whether the surface must be painted again.
    bool Repaints() const;

private:
    std::vector<Change> m_changes;
};

// A view of the project: it hears each batch once, when the batch ends.
class ChangeObserver
{
public:
    virtual ~ChangeObserver() = default;
    virtual void OnChanges(const ChangeSet& changes) = 0;
};

} // namespace editing

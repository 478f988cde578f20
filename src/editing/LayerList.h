#pragma once

#include "editing/Change.h"
#include "editing/PropertyGrid.h"

#include <string>
#include <vector>

class APStyleProject;
class PicSnapshotItem;

namespace editing {

class Workspace;

// The layer manager without a window: the frames of the picture the workspace shows in
// its property grid, one row per frame, each with a checked state that "全选" and "反选"
// set. It follows the grid after each batch of changes: whatever the grid shows, the list
// shows that element's frames when it is a picture or picture region, and nothing otherwise.
class LayerList : private ChangeObserver
{
public:
    struct Row
    {
        int frame = 0;
        std::string label;       // the frame index
        std::string pictureName; // the frame's picture resource name
        std::string picturePath; // absolute; empty when the frame has no picture
        bool checked = false;
    };

    // Told after the list changed.
    class Observer
    {
    public:
        virtual ~Observer() = default;
        // Another picture, or another number of frames: every row may be new.
        virtual void LayersReset() {}
        // The texts or the checked state of `row` changed.
        virtual void LayerChanged(int /*row*/) {}
    };

    // Follows `ws`'s grid from now on; `ws` must outlive the list.
    explicit LayerList(Workspace& ws);
    ~LayerList() override;
    LayerList(const LayerList&) = delete;
    LayerList& operator=(const LayerList&) = delete;

    // Not owned; null stops the notifications.
    void SetObserver(Observer* observer) { m_observer = observer; }

    // Reads the shown picture and its frames again. The checked states stay while the
    // picture and its number of frames stay.
    void Update();

    // The picture whose frames are listed, or null. Owned by its project.
    PicSnapshotItem* Picture() const { return m_picture; }
    const std::vector<Row>& Rows() const { return m_rows; }
    // The row of the picture's current frame, or -1.
    int CurrentRow() const;
    // The frames to preview: the checked ones, or the current one when none is checked.
    std::vector<int> PreviewRows() const;

    void SetChecked(int row, bool checked);
    // "全选" and "反选": every row checked, or every row's check turned over. Both ask the
    // main window to redraw.
    void CheckAll();
    void InvertChecks();

private:
    void OnChanges(const ChangeSet&) override { Update(); }
    void Notify(int row);

    Workspace& m_ws;
    Observer* m_observer = nullptr;
    PicSnapshotItem* m_picture = nullptr;
    std::vector<Row> m_rows;
};

} // namespace editing

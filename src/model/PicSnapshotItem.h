#pragma once

#include "components/visual/ImageGraph.h"
#include "model/PicFrame.h"
#include "model/PicItemInfo.h"
#include "model/SnapShotItemKind.h"

#include <memory>
#include <string>
#include <vector>

// A picture (one frame) or a picture region (several frames, one shown at a time).
// The element and its drawable are one object: seen as an ImageGraph it is the
// shape on the editing surface. In this class's scope the shared names mean the
// element's slots; the drawable's are reached as ImageGraph::... or through Graph&.
class PicSnapshotItem : public SnapShotItemKind, public ImageGraph
{
public:
    // Property ids of the picture and region tables beyond the common ones.
    enum : int
    {
        kPropFrames = 6,
        kPropCurrent = 7,
        kPropIndex = 8,
        kPropPath = 9,
        kPropCompress = 11,
        kPropPngA8 = 12,
        kPropArgbOutput = 13
    };

    // `single` 1 makes a picture, 0 a picture region (which selects the table).
    explicit PicSnapshotItem(int single = 1);
    ~PicSnapshotItem() override;

    using SnapShotItemKind::Clone;
    using SnapShotItemKind::IsEditable;
    using SnapShotItemKind::IsVisible;
    using SnapShotItemKind::SetDeleted;
    using SnapShotItemKind::SetEditable;
    using SnapShotItemKind::SetVisible;

    // 3
    Graph* OwnGraph() override;
    // 4: loads the current frame's picture (when it is bound), then takes the
    // geometry back and places and shows the drawable.
    void LoadResource() override;
    // 7: geometry, then the current frame's binding to the picture list (by path,
    // with the id as a hint), then every row from the fields.
    void RefreshRows() override;
    // 9: the current frame's path for the "Path" row (its description while the
    // frame has none).
    std::string RowDescription(int row, int column) const override;
    // 14: rows from `block`, which becomes the element's block; then shows and
    // places the drawable.
    void BuildAttrList(const SnapItemInfo& block) override;
    // 16: parses, then applies the row. Returns 1 when the row took a value.
    int SetAttrText(int row, int column, const std::string& text) override;
    // 24: a copy without a parent; the caller owns it.
    std::unique_ptr<SnapShotItem> Clone(int newIds) const override;
    // 27: compress of the current frame and the block (0 or 1).
    virtual void SetFrameCompress(int on);
    // 28: PNG A8 of the current frame and the block: 1 stores 8, any other value
    // is stored as it is.
    virtual void SetFramePngA8(int value);
    // 29: ARGB output of the current frame and the block from the grid text:
    // "8888" 8, "6666" 6, anything else 0. Returns the value stored.
    virtual int SetFrameArgbOutput(const std::string& text);

    bool StoredVisible() const override;

    // Drawable side: the parent's drawable.
    Graph* GetParentGraph() const override;
    bool IsResizeable() const override;

    int IsSingle() const { return m_single; }
    std::vector<PicFrame>& Frames() { return m_frames; }
    const std::vector<PicFrame>& Frames() const { return m_frames; }
    // Appends a frame and counts it in the block.
    void AppendFrame(const PicFrame& frame);
    int CurrentFrameIndex() const { return m_currentFrame; }
    void SetCurrentFrameIndex(int index) { m_currentFrame = index; }
    // The current frame, or null when the index names none. Owned by the element.
    PicFrame* CurrentFrame();
    const PicFrame* CurrentFrame() const;

    PicItemInfo PicInfo() const { return PicItemInfo::From(m_info); }
    void SetPicInfo(const PicItemInfo& info) { info.StoreInto(m_info); }

protected:
    // For the resource group: a single picture with another table and kind code.
    PicSnapshotItem(int kind, const SnapItemAttrDesc* table, int count);

    void StoreVisible(int on) override;
    // Fills the picture rows from the block and the frames.
    void FillRows();
    // Takes the frames, frame index and drawable state of `source` (Clone).
    void CopyPictureState(const PicSnapshotItem& source);

private:
    // Rebinds the current frame to the picture list; true when its id changed.
    bool BindCurrentFrame();

    int m_single = 1;
    std::vector<PicFrame> m_frames;
    int m_currentFrame = 0;
};

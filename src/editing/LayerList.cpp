#include "editing/LayerList.h"

#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/PicSnapshotItem.h"
#include "editing/ChangeFeed.h"

namespace editing {

LayerList::LayerList(Workspace& ws) : m_ws(ws)
{
    m_ws.Feed().Subscribe(this, ChangeFeed::Tier::Model);
    Update();
}

LayerList::~LayerList()
{
    m_ws.Feed().Unsubscribe(this);
}

void LayerList::Update()
{
    const PropertyGrid& grid = m_ws.Grid();
    auto* picture = grid.Shown() == PropertyGrid::Page::Element
                        ? dynamic_cast<PicSnapshotItem*>(grid.Element())
                        : nullptr;
    if (picture && picture->KindCode() != SnapShotItem::kPicture) {
        picture = nullptr; // a resource group is a picture underneath, but has no frames
    }
    const APStyleProject* project = m_ws.CurrentProject();
    std::vector<Row> rows;
    if (picture) {
        for (std::size_t i = 0; i < picture->Frames().size(); ++i) {
            const PicFrame& frame = picture->Frames()[i];
            Row row;
            row.frame = static_cast<int>(i);
            row.label = std::to_string(i);
            row.pictureName = frame.name;
            if (project && !frame.path.empty()) {
                row.picturePath = project->ResolvePath(frame.path, false);
            }
            rows.push_back(std::move(row));
        }
    }
    const bool same = picture == m_picture && rows.size() == m_rows.size();
    if (!same) {
        m_picture = picture;
        m_rows = std::move(rows);
        if (m_observer) {
            m_observer->LayersReset();
        }
        return;
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].checked = m_rows[i].checked;
        const bool changed = rows[i].pictureName != m_rows[i].pictureName ||
                             rows[i].picturePath != m_rows[i].picturePath;
        m_rows[i] = std::move(rows[i]);
        if (changed) {
            Notify(static_cast<int>(i));
        }
    }
}

int LayerList::CurrentRow() const
{
    if (!m_picture) {
        return -1;
    }
    const int current = m_picture->CurrentFrameIndex();
    return current >= 0 && static_cast<std::size_t>(current) < m_rows.size() ? current : -1;
}

std::vector<int> LayerList::PreviewRows() const
{
    std::vector<int> rows;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].checked) {
            rows.push_back(static_cast<int>(i));
        }
    }
    if (rows.empty() && CurrentRow() >= 0) {
        rows.push_back(CurrentRow());
    }
    return rows;
}

void LayerList::SetChecked(int row, bool checked)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size() ||
        m_rows[static_cast<std::size_t>(row)].checked == checked) {
        return;
    }
    m_rows[static_cast<std::size_t>(row)].checked = checked;
    Notify(row);
}

void LayerList::CheckAll()
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        SetChecked(static_cast<int>(i), true);
    }
    PostChange(Change::Redraw());
}

void LayerList::InvertChecks()
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        SetChecked(static_cast<int>(i), !m_rows[i].checked);
    }
    PostChange(Change::Redraw());
}

void LayerList::Notify(int row)
{
    if (m_observer) {
        m_observer->LayerChanged(row);
    }
}

} // namespace editing

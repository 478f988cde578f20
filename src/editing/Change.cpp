#include "editing/Change.h"

#include <algorithm>

namespace editing {

Change Change::ElementChanged(SnapShotItem* element)
{
    Change change{ChangeKind::ElementChanged};
    change.element = element;
    return change;
}

Change Change::Redraw()
{
    return Change{ChangeKind::SurfaceRedraw};
}

Change Change::Refresh()
{
    return Change{ChangeKind::SurfaceRefresh};
}

Change Change::Rebuild(SnapShotItem* element)
{
    Change change{ChangeKind::TreeRebuild};
    change.element = element;
    return change;
}

Change Change::Rebuild(Snapshot* scene)
{
    Change change{ChangeKind::TreeRebuild};
    change.scene = scene;
    return change;
}

Change Change::Rebuild(APStyleProject* project)
{
    Change change{ChangeKind::TreeRebuild};
    change.project = project;
    return change;
}

Change Change::Resize(int width, int height)
{
    Change change{ChangeKind::SurfaceResize};
    change.width = width;
    change.height = height;
    return change;
}

Change Change::Selection()
{
    return Change{ChangeKind::Selection};
}

Change Change::Note(std::string text)
{
    Change change{ChangeKind::StatusNote};
    change.text = std::move(text);
    return change;
}

bool ChangeSet::Has(ChangeKind kind) const
{
    return Last(kind) != nullptr;
}

const Change* ChangeSet::Last(ChangeKind kind) const
{
    const auto it = std::find_if(m_changes.rbegin(), m_changes.rend(),
                                 [kind](const Change& change) { return change.kind == kind; });
    return it == m_changes.rend() ? nullptr : &*it;
}

bool ChangeSet::Modifies() const
{
    return Has(ChangeKind::SurfaceRedraw) || Has(ChangeKind::SurfaceRefresh);
}

bool ChangeSet::Repaints() const
{
    return std::any_of(m_changes.begin(), m_changes.end(), [](const Change& change) {
        return change.kind != ChangeKind::GenerationStep && change.kind != ChangeKind::Projects;
    });
}

} // namespace editing

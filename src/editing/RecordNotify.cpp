#include "editing/RecordNotify.h"

#include "editing/ChangeFeed.h"

namespace editing {

void NotifyRebuild(APStyleProject* project)
{
    PostChange(Change::Rebuild(project));
}

void NotifyRebuild(Snapshot* scene)
{
    PostChange(Change::Rebuild(scene));
}

void NotifyRebuild(SnapShotItem* element)
{
    PostChange(Change::Rebuild(element));
}

void NotifyRefresh()
{
    PostChange(Change::Refresh());
}

} // namespace editing

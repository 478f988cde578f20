#include "editing/RecordNotify.h"

#include "platform/MainWindowSink.h"

namespace editing {

void NotifyRebuild(const void* object)
{
    platform::notifyMainWindow(platform::kMsgRebuildTree, reinterpret_cast<std::uintptr_t>(object));
}

void NotifyRefresh()
{
    platform::notifyMainWindow(platform::kMsgRefreshSurface);
}

} // namespace editing

#include "editing/RootGroup.h"

#include "model/APStyleProject.h"

#include <algorithm>

namespace editing {

SnapShotItem* RootGroupOf(const Snapshot& scene)
{
    return scene.Elements().empty() ? nullptr : scene.Elements().front().get();
}

bool IsRootGroup(const APStyleProject& project, const void* object)
{
    return std::any_of(project.Scenes().begin(), project.Scenes().end(),
                       [object](const auto& scene) { return RootGroupOf(*scene) == object; });
}

} // namespace editing

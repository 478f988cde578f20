#include "editing/DocumentSync.h"

#include "model/APStyleProject.h"

namespace editing {

// The retained document belongs to the project file writer; until the project
// offers its in-place swap and renumbering, a project without a loaded document
// has nothing to keep in step, and the writer rebuilds the order on save.
void SwapNodesInDocument(APStyleProject& project, std::uint32_t a, std::uint32_t b)
{
    (void)project;
    (void)a;
    (void)b;
}

void RenumberNodesInDocument(APStyleProject& project,
                             const std::vector<std::pair<std::uint32_t, std::uint32_t>>& pairs)
{
    (void)project;
    (void)pairs;
}

} // namespace editing

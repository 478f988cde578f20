#include "editing/DocumentSync.h"

#include "model/APStyleProject.h"
#include "platform/Trace.h"

#include <string>

namespace editing {

// A node may be missing for a reason that is no fault: an object added since the last
// save has no node yet, and the writer appends it at the end when the project is saved.
// That is worth a trace, not a message.
void SwapNodesInDocument(APStyleProject& project, std::uint32_t a, std::uint32_t b)
{
    const int result = project.SwapInDocument(a, b);
    if (result != 0) {
        platform::trace("SwapInDocument " + std::to_string(a) + " " + std::to_string(b) + ": " +
                        std::to_string(result) + "\n");
    }
}

void RenumberNodesInDocument(APStyleProject& project, const IdRenumbering& pairs)
{
    if (!pairs.empty()) {
        project.RenumberInDocument(pairs);
    }
}

} // namespace editing

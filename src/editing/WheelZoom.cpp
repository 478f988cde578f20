#include "editing/WheelZoom.h"

namespace editing {

double WheelZoom(double zoom, bool towardsUser)
{
    if (towardsUser) {
        return zoom <= 2.5 ? zoom + 0.5 : zoom;
    }
    return zoom > 1.1 ? zoom - 0.5 : zoom;
}

} // namespace editing

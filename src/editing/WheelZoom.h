#pragma once

namespace editing {

// The zoom after one wheel step over the main frame: towards the user zooms in by 0.5 while
// the zoom is at most 2.5, away from the user zooms out by 0.5 while it is above 1.1; so it
// stays between 1.0 and 3.0.
double WheelZoom(double zoom, bool towardsUser);

} // namespace editing

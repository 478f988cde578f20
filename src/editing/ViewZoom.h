#pragma once

#include <string>

namespace editing {

// The zoom commands of the view, without a window: the steps of zoom in and out, the zoom
// that fits a rectangle into the view, and how the zoom reads in the status bar. The wheel
// keeps its own steps (WheelZoom).
namespace zoom {

constexpr double kMin = 0.25;
constexpr double kMax = 8.0;
// View pixels kept free around the device screen, on every side.
constexpr int kMargin = 16;

// The next step above `zoom` (25, 50, 75, 100, 150, 200, 300, 400, 600, 800 percent);
// kMax stays.
double In(double zoom);
// The next step below `zoom`; kMin stays.
double Out(double zoom);
// The largest zoom, in whole percent between kMin and kMax, at which a rectangle of
// `width` x `height` scene pixels fits into a view of `viewWidth` x `viewHeight` with kMargin
// on every side. 1 for an empty rectangle.
double Fit(int width, int height, int viewWidth, int viewHeight);
// "150%".
std::string Text(double zoom);

} // namespace zoom
} // namespace editing

#include "editing/ViewZoom.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace editing::zoom {
namespace {

constexpr double kSteps[] = {0.25, 0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 4.0, 6.0, 8.0};
// Zooms this close to a step count as the step (the wheel's 2.5 is no step).
constexpr double kTolerance = 1e-6;

} // namespace

double In(double zoom)
{
    for (const double step : kSteps) {
        if (step > zoom + kTolerance) {
            return step;
        }
    }
    return kMax;
}

double Out(double zoom)
{
    for (auto step = std::rbegin(kSteps); step != std::rend(kSteps); ++step) {
        if (*step < zoom - kTolerance) {
            return *step;
        }
    }
    return kMin;
}

double Fit(int width, int height, int viewWidth, int viewHeight)
{
    if (width <= 0 || height <= 0) {
        return 1.0;
    }
    const double across = static_cast<double>(viewWidth - 2 * kMargin) / width;
    const double down = static_cast<double>(viewHeight - 2 * kMargin) / height;
    const double percent = std::floor(std::min(across, down) * 100.0 + kTolerance);
    return std::clamp(percent / 100.0, kMin, kMax);
}

std::string Text(double zoom)
{
    return std::to_string(static_cast<long>(std::lround(zoom * 100.0))) + "%";
}

} // namespace editing::zoom

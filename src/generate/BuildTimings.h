#pragma once

#include <string>

namespace generate {

// Where the time of one resource build went. Phases are wall time; the picture workers' parts
// (decode, convert, compress, cache) are summed over their threads, so on several threads they
// may add up to more than the picture phase.
struct BuildTimings
{
    double load = 0; // reading the project file, when the caller measured it
    double style = 0;
    double pictures = 0;
    double decode = 0;
    double convert = 0;
    double compress = 0;
    double cache = 0;
    int pictureCount = 0;
    int cacheHits = 0;
    int cacheMisses = 0;
    double strings = 0;
    double write = 0;

    // One line per phase, then the pictures per second.
    std::string text() const;
};

} // namespace generate

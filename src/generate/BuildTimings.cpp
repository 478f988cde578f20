#include "generate/BuildTimings.h"

#include <cstdio>

namespace generate {
namespace {

std::string line(const char* name, double seconds, const std::string& note = {})
{
    char text[96];
    std::snprintf(text, sizeof text, "  %-22s %9.1f ms", name, seconds * 1e3);
    return text + (note.empty() ? std::string() : "  " + note) + "\n";
}

} // namespace

std::string BuildTimings::text() const
{
    std::string out = "timings:\n";
    out += line("load", load);
    out += line("style", style);
    out += line("pictures", pictures);
    const std::string summed = "(summed over the worker threads)";
    out += line("  decode", decode, summed);
    out += line("  convert", convert, summed);
    out += line("  compress", compress, summed);
    out += line("  cache", cache,
                std::to_string(cacheHits) + " hits, " + std::to_string(cacheMisses) + " misses");
    out += line("strings", strings);
    out += line("write", write);
    char rate[96];
    std::snprintf(rate, sizeof rate, "  %d pictures, %.0f pictures per second\n", pictureCount,
                  pictures > 0 ? pictureCount / pictures : 0.0);
    return out + rate;
}

} // namespace generate

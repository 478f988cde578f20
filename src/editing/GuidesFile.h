#pragma once

#include "components/visual/GuideLine.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace editing {

// The user's guides of one project, per scene name.
using GuidesByScene = std::map<std::string, std::vector<GuideLine>>;

// The small JSON file beside a project ("NAME.ui.guides") that keeps its guides, so that the
// project file's bytes never change for them:
//   {"version": 1, "scenes": {"NAME": {"vertical": [x, ...], "horizontal": [y, ...]}}}
class GuidesFile
{
public:
    struct Reading
    {
        GuidesByScene scenes;
        // Why the file was not taken (damaged, unreadable); empty when it was, or is missing.
        std::string problem;
    };

    static std::string PathFor(const std::string& projectPath);

    // Reads the file at `path`; a missing file reads as no guides and no problem.
    static Reading Read(const std::string& path);
    // Writes `scenes` to `path` without ever leaving a half-written file; with no guides at all
    // the file is removed instead. Returns an error message, empty on success.
    static std::string Write(const std::string& path, const GuidesByScene& scenes);

    // The file's text and back. Parse gives no scenes and a problem for text it cannot take.
    static Reading Parse(std::string_view text);
    static std::string Print(const GuidesByScene& scenes);
};

} // namespace editing

#pragma once

#include <cstddef>
#include <string>
#include <vector>

class APStyleProject;

namespace generate {

// The pictures and strings each live scene of a project refers to, as registry positions in
// the order the scene first names them (each once per scene). Read-only: unlike the style
// walk it binds nothing and reports nothing; references to unregistered resources are left out.
struct SceneResourceUse
{
    std::string scene;
    std::vector<std::size_t> pictures;
    std::vector<std::size_t> strings;

    static std::vector<SceneResourceUse> Of(const APStyleProject& project);
};

} // namespace generate

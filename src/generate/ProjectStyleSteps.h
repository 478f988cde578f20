#pragma once

#include "generate/BuildStyleSteps.h"
#include "generate/ResourceBuildOptions.h"
#include "generate/StyleGenerator.h"

class APStyleProject;

namespace generate {

// The style steps of a project's resource build: StyleGenerator, the style converter and the
// project's desktop entry file.
class ProjectStyleSteps : public BuildStyleSteps
{
public:
    // `project` must outlive this object. The options' unattended and debug switches apply.
    ProjectStyleSteps(APStyleProject& project, const ResourceBuildOptions& options);

    bool generateStyle(bool resetLayerMap) override;
    bool writeLanguageCharacterSets(const std::string& languageName, std::size_t language) override;
    bool runStyleConverter(const std::string& resFile) override;
    bool writeDesktopFile() override;

    // The generator, to set its settings path before the build.
    StyleGenerator& generator() { return m_generator; }

private:
    APStyleProject& m_project;
    StyleGenerator m_generator;
    bool m_debugMode;
};

} // namespace generate

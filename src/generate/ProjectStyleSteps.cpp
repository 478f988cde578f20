#include "generate/ProjectStyleSteps.h"

#include "generate/ProjectDesktopFile.h"
#include "generate/StyleConverter.h"

namespace generate {

ProjectStyleSteps::ProjectStyleSteps(APStyleProject& project, const ResourceBuildOptions& options)
    : m_project(project), m_generator(project), m_debugMode(options.debugMode)
{
    m_generator.setUnattended(options.unattended);
}

bool ProjectStyleSteps::generateStyle(bool resetLayerMap)
{
    return m_generator.generate(true, resetLayerMap);
}

bool ProjectStyleSteps::writeLanguageCharacterSets(const std::string& languageName,
                                                   std::size_t language)
{
    return m_generator.writeLanguageCharacterSets(languageName, language);
}

bool ProjectStyleSteps::runStyleConverter(const std::string& resFile)
{
    return StyleConverter::run(m_project, resFile, m_debugMode) == 0;
}

bool ProjectStyleSteps::writeDesktopFile()
{
    return ProjectDesktopFile::write(m_project);
}

} // namespace generate

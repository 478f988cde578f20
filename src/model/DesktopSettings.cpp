#include "model/DesktopSettings.h"

#include "platform/Path.h"

DesktopSettings DesktopSettings::Defaults(const std::string& caseDir,
                                          const std::string& projectName)
{
    DesktopSettings settings;
    settings.path =
        platform::joinPath(caseDir, "images/apps/" + projectName + "/" + projectName + ".desktop");
    settings.exec = projectName + ".app";
    settings.name = projectName;
    return settings;
}

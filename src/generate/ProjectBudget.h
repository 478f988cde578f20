#pragma once

#include "generate/BudgetReport.h"
#include "generate/ResourceBuildOptions.h"
#include "platform/UserInteraction.h"

#include <string>

namespace generate {

// The budget report of a project file as saved: the file is loaded into a project of its own
// (current while the report is made, the previous current project restored after), and its
// previous outputs are read, or a build into a scratch folder when they are not current.
class ProjectBudget
{
public:
    // Returns false with `error` set when the project cannot be loaded or built, or its
    // outputs cannot be read.
    // A build aside shows its progress on `progress` when given.
    static bool OfProjectFile(const std::string& path, const ResourceBuildOptions& options,
                              BudgetReport& report, std::string& error,
                              platform::ProgressReporter* progress = nullptr);
};

} // namespace generate

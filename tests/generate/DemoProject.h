#pragma once

#include <string>

class APStyleProject;

// The source directory of the example project examples/demo.
std::string demoDirectory();

// Fills `project` (constructed, and made current by the caller) with the example project
// examples/demo as its project file describes it: settings, the three scenes with every
// element, the picture and string resources (strings without texts). Derived outputs (style
// file, headers, string directory, desktop file) go below `outputDir`, so that nothing is
// written into the source tree.
void buildDemoProject(APStyleProject& project, const std::string& outputDir);

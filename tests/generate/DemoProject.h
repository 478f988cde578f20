#pragma once

#include <string>

// The source directory of the example project examples/demo.
std::string demoDirectory();

// Copies the example project into `directory` (so that what a build writes stays out of the
// source tree). Returns the path of the copied project file, or "" when the copy failed.
std::string copyDemoProject(const std::string& directory);

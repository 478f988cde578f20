#pragma once

#include <string>
#include <vector>

// True when the system's C compiler `cc` can be run.
bool cCompilerAvailable();

// Compiles (syntax only, warnings as errors) a C file that includes `headerPath` twice and
// takes the value of every macro in `macros`. Returns "" when it compiles, else the
// compiler's messages.
std::string compileHeaderErrors(const std::string& headerPath,
                                const std::vector<std::string>& macros);

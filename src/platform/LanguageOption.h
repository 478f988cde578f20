#pragma once

#include <string>
#include <vector>

namespace platform {

// The --lang option of the command-line programs: takes every "--lang NAME" and "--lang=NAME"
// out of `args` and activates the language the last one names ("zh" or "en"), else the
// environment's. Returns false with `error` set (the environment's language activated) for a
// missing or unknown name.
bool activateLanguageOption(std::vector<std::string>& args, std::string& error);

} // namespace platform

#include "platform/LanguageOption.h"

#include "platform/ActiveLanguage.h"
#include "platform/UiText.h"

#include <cstdlib>

namespace platform {

namespace {

const std::string kOption = "--lang";

} // namespace

bool activateLanguageOption(std::vector<std::string>& args, std::string& error)
{
    std::string chosen;
    bool missing = false;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == kOption) {
            missing = i + 1 == args.size();
            chosen = missing ? std::string() : args[++i];
        } else if (args[i].rfind(kOption + "=", 0) == 0) {
            chosen = args[i].substr(kOption.size() + 1);
            missing = chosen.empty();
        } else {
            rest.push_back(args[i]);
        }
    }
    args = std::move(rest);
    const bool known = chosen.empty() || parseUiLanguage(chosen).has_value();
    activateUiLanguage(chooseUiLanguage(known ? chosen : std::string(), {},
                                        [](const char* name) { return std::getenv(name); }));
    if (missing) {
        error = toolText("--lang needs a language: zh or en");
        return false;
    }
    if (!known) {
        error = formatText(toolText("unknown language '%s' (zh or en)"), chosen.c_str());
        return false;
    }
    return true;
}

} // namespace platform

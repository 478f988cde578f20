#include "ResizeParameters.h"

#include "platform/UiText.h"

#include <cctype>
#include <cstdlib>
#include <map>

namespace {

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// True when the ';' at `at` ends a value: only blanks follow it, or a key (a word of letters,
// digits and '_') and its '='.
bool endsValue(const std::string& text, std::size_t at)
{
    const std::size_t next = text.find_first_not_of(" \t\r\n", at + 1);
    if (next == std::string::npos) {
        return true;
    }
    std::size_t end = next;
    while (end < text.size() &&
           (std::isalnum(static_cast<unsigned char>(text[end])) != 0 || text[end] == '_')) {
        ++end;
    }
    const std::size_t equals = text.find_first_not_of(" \t", end);
    return end > next && equals != std::string::npos && text[equals] == '=';
}

} // namespace

bool parseResizeParameters(const std::string& text, ResizeParameters& parameters,
                           std::string& problem)
{
    std::string rest = trimmed(text);
    if (rest.compare(0, 6, "string") == 0) {
        const std::size_t equals = rest.find('=');
        if (equals != std::string::npos && trimmed(rest.substr(6, equals - 6)).empty()) {
            rest = rest.substr(equals + 1);
        }
    }
    std::map<std::string, std::string> values;
    for (std::size_t at = 0; at < rest.size();) {
        // A value runs to the ';' that ends the text or starts the next "key =", so that a
        // path holding a ';' of its own stays one value.
        std::size_t end = rest.find(';', at);
        while (end != std::string::npos && !endsValue(rest, end)) {
            end = rest.find(';', end + 1);
        }
        if (end == std::string::npos) {
            end = rest.size();
        }
        const std::string pair = rest.substr(at, end - at);
        at = end + 1;
        if (trimmed(pair).empty()) {
            continue;
        }
        const std::size_t equals = pair.find('=');
        if (equals == std::string::npos) {
            problem = platform::formatText(platform::toolText("\"%s\" is no key = value pair"),
                                           trimmed(pair).c_str());
            return false;
        }
        values[trimmed(pair.substr(0, equals))] = trimmed(pair.substr(equals + 1));
    }

    const std::map<std::string, int*> sizes = {{"src_width", &parameters.sourceWidth},
                                               {"src_height", &parameters.sourceHeight},
                                               {"dst_width", &parameters.destinationWidth},
                                               {"dst_height", &parameters.destinationHeight}};
    const std::map<std::string, std::string*> texts = {
        {"src_apps_dir", &parameters.sourceAppsDirectory},
        {"src_res_dir", &parameters.resourceDirectory},
        {"dst_apps_dir", &parameters.destinationAppsDirectory},
        {"upright_dir_name", &parameters.uprightFolder},
        {"sidelong_dir_name", &parameters.sidewaysFolder}};
    for (const auto& [key, value] : values) {
        if (const auto size = sizes.find(key); size != sizes.end()) {
            char* end = nullptr;
            const long number = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || number <= 0 || number > 65535) {
                problem = platform::formatText(
                    platform::toolText("%s must be a number from 1 to 65535, not \"%s\""),
                    key.c_str(), value.c_str());
                return false;
            }
            *size->second = static_cast<int>(number);
        } else if (const auto field = texts.find(key); field != texts.end()) {
            *field->second = value;
        } else {
            problem = platform::formatText(platform::toolText("unknown parameter %s"), key.c_str());
            return false;
        }
    }
    for (const auto& [key, size] : sizes) {
        if (*size == 0) {
            problem = platform::formatText(platform::toolText("missing parameter %s"), key.c_str());
            return false;
        }
    }
    for (const auto& [key, field] : texts) {
        if (field->empty()) {
            problem = platform::formatText(platform::toolText("missing parameter %s"), key.c_str());
            return false;
        }
    }
    return true;
}

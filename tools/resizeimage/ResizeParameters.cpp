#include "ResizeParameters.h"

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
        std::size_t end = rest.find(';', at);
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
            problem = "\"" + trimmed(pair) + "\" is no key = value pair";
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
                problem = key + " must be a number from 1 to 65535, not \"" + value + "\"";
                return false;
            }
            *size->second = static_cast<int>(number);
        } else if (const auto field = texts.find(key); field != texts.end()) {
            *field->second = value;
        } else {
            problem = "unknown parameter " + key;
            return false;
        }
    }
    for (const auto& [key, size] : sizes) {
        if (*size == 0) {
            problem = "missing parameter " + key;
            return false;
        }
    }
    for (const auto& [key, field] : texts) {
        if (field->empty()) {
            problem = "missing parameter " + key;
            return false;
        }
    }
    return true;
}

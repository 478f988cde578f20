#include "platform/AsciiCase.h"

namespace platform {

std::string toLowerAscii(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        c = toLowerAscii(c);
    }
    return result;
}

std::string toUpperAscii(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        c = toUpperAscii(c);
    }
    return result;
}

bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (toLowerAscii(a[i]) != toLowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace platform

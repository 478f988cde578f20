#include "projectfile/XmlText.h"

#include <string>

namespace {

// A UTF-8 character takes at most four bytes, so a step ends at most three bytes past the
// terminator; the rest is margin.
constexpr std::size_t kPadding = 16;

} // namespace

void ParseXmlText(TiXmlDocument& document, std::string_view text, TiXmlEncoding encoding)
{
    std::string padded;
    padded.reserve(text.size() + kPadding);
    padded.append(text);
    padded.append(kPadding, '\0');
    document.Parse(padded.c_str(), nullptr, encoding);
}

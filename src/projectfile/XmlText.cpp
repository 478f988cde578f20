#include "projectfile/XmlText.h"

namespace {

// A UTF-8 character takes at most four bytes, so a step ends at most three bytes past the
// terminator; the rest is margin.
constexpr std::size_t kPadding = 16;

} // namespace

void ParseXmlText(TiXmlDocument& document, std::string text, TiXmlEncoding encoding)
{
    text.append(kPadding, '\0');
    document.Parse(text.c_str(), nullptr, encoding);
}

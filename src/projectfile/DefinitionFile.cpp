#include "projectfile/DefinitionFile.h"

#include "platform/FileSystem.h"
#include "projectfile/XmlText.h"

#include <tinyxml.h>

#include <climits>

namespace {

// The value attribute is read like the C library's atoi: leading blanks, an optional sign,
// then the leading digits ("12px" is 12, "abc" is 0). Out-of-range values stop at the ends of
// the int range instead of overflowing.
int leadingDecimal(const char* text)
{
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r') {
        ++text;
    }
    bool negative = false;
    if (*text == '-' || *text == '+') {
        negative = *text == '-';
        ++text;
    }
    long long value = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > limit) {
            value = limit;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace

std::optional<std::vector<DefinitionEntry>>
parseDefinitionEntries(std::string_view text, const DefinitionFileLayout& layout)
{
    TiXmlDocument document;
    ParseXmlText(document, std::string(text), TIXML_ENCODING_UTF8);
    const TiXmlElement* root = document.RootElement();
    if (document.Error() || root == nullptr || layout.root != root->Value()) {
        return std::nullopt;
    }
    const std::string childTag(layout.child);
    const std::string nameAttribute(layout.nameAttribute);
    const std::string valueAttribute(layout.valueAttribute);
    std::vector<DefinitionEntry> entries;
    for (const TiXmlElement* child = root->FirstChildElement(childTag); child != nullptr;
         child = child->NextSiblingElement(childTag)) {
        const char* name = child->Attribute(nameAttribute.c_str());
        const char* value = child->Attribute(valueAttribute.c_str());
        if (name != nullptr && value != nullptr) {
            entries.push_back({name, leadingDecimal(value)});
        }
    }
    return entries;
}

std::optional<std::vector<DefinitionEntry>>
readDefinitionEntries(const std::string& path, const DefinitionFileLayout& layout)
{
    const std::optional<std::string> text = platform::readFile(path);
    if (!text) {
        return std::nullopt;
    }
    return parseDefinitionEntries(*text, layout);
}

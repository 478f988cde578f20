#include "projectfile/ProjectXml.h"

#include "platform/AsciiCase.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace projectfile {

namespace {

// Decimal digits with sign; saturates instead of overflowing on absurd inputs.
long long ParseSigned(const char* text)
{
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\f' || *p == '\v') {
        ++p;
    }
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') {
        ++p;
    }
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (value < LLONG_MAX / 10) {
            value = value * 10 + (*p - '0');
        }
    }
    return negative ? -value : value;
}

// "0x" and at least `digits` lower-case hexadecimal digits. Saving formats a dozen numbers
// per element, so this stays clear of printf.
std::string HexDigits(std::uint32_t value, int digits)
{
    char buffer[12];
    char* end = buffer + sizeof buffer;
    char* p = end;
    do {
        *--p = "0123456789abcdef"[value & 0xF];
        value >>= 4;
        --digits;
    } while (value != 0 || digits > 0);
    *--p = 'x';
    *--p = '0';
    return std::string(p, end);
}

} // namespace

TiXmlElement* FindProperty(TiXmlElement& parent, const char* name)
{
    return const_cast<TiXmlElement*>(FindProperty(static_cast<const TiXmlElement&>(parent), name));
}

const TiXmlElement* FindProperty(const TiXmlElement& parent, const char* name)
{
    for (const TiXmlElement* property = parent.FirstChildElement("property"); property;
         property = property->NextSiblingElement("property")) {
        const char* propertyName = property->Attribute("name");
        if (propertyName && std::strcmp(propertyName, name) == 0) {
            return property;
        }
    }
    return nullptr;
}

const char* PropertyValue(const TiXmlElement& parent, const char* name)
{
    const TiXmlElement* property = FindProperty(parent, name);
    return property ? property->Attribute("value") : nullptr;
}

std::uint32_t ParseNumber(const char* text)
{
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::uint32_t value = 0;
        for (const char* p = text + 2; *p; ++p) {
            const int digit = platform::hexDigitValue(*p);
            if (digit >= 0) {
                value = (value << 4) | static_cast<std::uint32_t>(digit);
            }
        }
        return value;
    }
    return static_cast<std::uint32_t>(static_cast<unsigned long long>(ParseSigned(text)));
}

std::int32_t ParseDecimal(const char* text)
{
    const long long value = ParseSigned(text);
    return static_cast<std::int32_t>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}

std::int32_t ReadIntProperty(const TiXmlElement& parent, const char* name)
{
    const char* value = PropertyValue(parent, name);
    return value ? static_cast<std::int32_t>(ParseNumber(value)) : 0;
}

std::optional<std::string> ReadTextProperty(const TiXmlElement& parent, const char* name)
{
    const char* value = PropertyValue(parent, name);
    if (!value) {
        return std::nullopt;
    }
    return std::string(value);
}

std::optional<std::uint32_t> NodeId(const TiXmlElement& node)
{
    const char* value = PropertyValue(node, "id");
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(ParseDecimal(value));
}

std::uint32_t ExchangeRedBlue(std::uint32_t colour)
{
    return (colour & 0xFF00FF00u) | ((colour & 0xFFu) << 16) | ((colour >> 16) & 0xFFu);
}

std::string Hex(std::uint32_t value)
{
    return HexDigits(value, 1);
}

std::string Hex4(std::uint32_t value)
{
    return HexDigits(value, 4);
}

std::string Hex8(std::uint32_t value)
{
    return HexDigits(value, 8);
}

std::string Decimal(long long value)
{
    return std::to_string(value);
}

TiXmlElement NewProperty(const char* name, const std::string& value)
{
    TiXmlElement property("property");
    property.SetAttribute("name", name);
    property.SetAttribute("value", value);
    return property;
}

TiXmlElement* InsertBefore(TiXmlElement& parent, TiXmlNode* before, const TiXmlElement& node)
{
    TiXmlNode* inserted =
        before ? parent.InsertBeforeChild(before, node) : parent.InsertEndChild(node);
    return inserted ? inserted->ToElement() : nullptr;
}

TiXmlElement* InsertAfter(TiXmlElement& parent, TiXmlNode* after, const TiXmlElement& node)
{
    TiXmlNode* inserted =
        after ? parent.InsertAfterChild(after, node) : parent.InsertEndChild(node);
    return inserted ? inserted->ToElement() : nullptr;
}

void RenameWidgetChildren(TiXmlElement& parent)
{
    for (TiXmlElement* child = parent.FirstChildElement("widget"); child;
         child = child->NextSiblingElement("widget")) {
        child->SetValue("element");
    }
}

} // namespace projectfile

#include "generate/MacroName.h"

#include "platform/AsciiCase.h"
#include "platform/Path.h"

namespace generate {
namespace {

constexpr std::size_t kPictureNameLimit = 32;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string identifierChars(std::string_view text)
{
    std::string name = platform::toUpperAscii(text);
    for (char& c : name) {
        if (!isIdentifierChar(c)) {
            c = '_';
        }
    }
    return name;
}

// Cuts `text` to at most `limit` bytes without leaving part of a UTF-8 character behind.
std::string cutAtCharacter(std::string text, std::size_t limit)
{
    if (text.size() <= limit) {
        return text;
    }
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    text.resize(end);
    return text;
}

} // namespace

bool isIdentifierChar(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || isDigit(c) || c == '_' ||
           byte >= 0x80;
}

std::string pictureMacroName(std::string_view picturePath)
{
    std::string name =
        cutAtCharacter(identifierChars(platform::fileStemOf(picturePath)), kPictureNameLimit);
    if (!name.empty() && isDigit(name.front())) {
        name.front() = '_';
    }
    return name;
}

std::string nameMacroName(std::string_view name)
{
    std::string macro = identifierChars(name);
    if (!macro.empty() && isDigit(macro.front())) {
        macro.insert(macro.begin(), '_');
    }
    return macro;
}

} // namespace generate

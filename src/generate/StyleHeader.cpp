#include "generate/StyleHeader.h"

#include "generate/HeaderFrame.h"
#include "generate/MacroName.h"
#include "generate/OutputFile.h"
#include "model/NameHash.h"
#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

#include <cstdio>
#include <unordered_set>

namespace generate {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";
constexpr std::string_view kSeparators = " \t";

std::string_view trimLeft(std::string_view text, std::string_view chars = kBlanks)
{
    const std::size_t start = text.find_first_not_of(chars);
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

std::string_view trim(std::string_view text)
{
    text = trimLeft(text);
    const std::size_t end = text.find_last_not_of(kBlanks);
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

std::string hexText(std::uint32_t value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%x", static_cast<unsigned>(value));
    return buffer;
}

} // namespace

std::optional<DefineLine> parseDefineLine(std::string_view line)
{
    constexpr std::string_view kDefine = "#define";
    line = trim(line);
    if (line.substr(0, kDefine.size()) != kDefine || line.size() == kDefine.size() ||
        kSeparators.find(line[kDefine.size()]) == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view rest = trimLeft(line.substr(kDefine.size()), kSeparators);
    const std::size_t nameEnd = rest.find_first_of(kSeparators);
    if (nameEnd == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view value = trimLeft(rest.substr(nameEnd), kSeparators);
    if (value.empty()) {
        return std::nullopt;
    }
    return DefineLine{std::string(rest.substr(0, nameEnd)), std::string(value)};
}

std::vector<DefineLine> parseDefines(std::string_view text)
{
    std::vector<DefineLine> defines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (auto define = parseDefineLine(text.substr(0, end))) {
            defines.push_back(std::move(*define));
        }
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return defines;
}

std::string styleHeaderText(const std::string& headerPath, const std::vector<std::string>& names)
{
    std::string text = headerOpener(headerPath);
    std::unordered_set<std::string> written;
    for (const std::string& name : names) {
        // The macro name is what must be unique in C; for names that are valid identifiers
        // this is the name compared without regard to case.
        const std::string macro = nameMacroName(name);
        if (macro.empty() || !written.insert(macro).second) {
            continue;
        }
        // The hash is of the name itself, as the style file records it.
        const std::string upper = platform::toUpperAscii(name);
        text += "#define  " + macro + "    " + hexText(NameHash(upper)) + "\n";
    }
    return text + headerCloser(headerPath);
}

bool writeStyleHeader(const std::string& headerPath, const std::vector<std::string>& collectedNames,
                      bool showMessages)
{
    const std::string native = nativeOutputPath(headerPath);
    std::vector<std::string> names = collectedNames;
    bool ok = true;
    if (platform::pathExists(native)) {
        // An old header that cannot be read must not be replaced: its names would be lost.
        const std::optional<std::string> old = platform::readFile(native);
        ok = old.has_value();
        if (ok) {
            for (DefineLine& define : parseDefines(*old)) {
                names.push_back(std::move(define.name));
            }
        }
    }
    ok = ok && writeOutputFile(native, withCrLf(styleHeaderText(headerPath, names)));
    if (!ok && showMessages) {
        platform::interaction().showMessage(platform::uiText("创建文件sty.h失败!"));
    }
    return ok;
}

} // namespace generate

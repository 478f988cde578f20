#include "generate/CharacterSetFile.h"

#include "generate/OutputFile.h"
#include "platform/Path.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace generate {
namespace {

// Units below this are listed as one range: the firmware fonts carry that block whole.
constexpr char16_t kFirstListedUnit = 0x78;

std::string hexUnit(char16_t unit)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0X%X", static_cast<unsigned>(unit));
    return buffer;
}

void appendItem(std::string& list, const std::string& item)
{
    // No separator before the first item: a list may start with the units from 0x78 up.
    if (!list.empty()) {
        list += ',';
    }
    list += item;
}

} // namespace

std::string characterSetText(std::u16string_view text, bool arabicForms)
{
    std::vector<char16_t> units(text.begin(), text.end());
    std::sort(units.begin(), units.end());
    units.erase(std::unique(units.begin(), units.end()), units.end());

    const auto firstListed = std::lower_bound(units.begin(), units.end(), kFirstListedUnit);
    std::string list;
    if (firstListed - units.begin() >= 2) {
        list = hexUnit(units.front()) + "-" + hexUnit(*(firstListed - 1));
    } else if (firstListed != units.begin()) {
        list = hexUnit(units.front());
    }
    for (auto unit = firstListed; unit != units.end(); ++unit) {
        appendItem(list, hexUnit(*unit));
    }
    if (arabicForms) {
        appendItem(list, "0XFB50-0XFDFF,0XFE70-0XFEFF");
    }
    return list;
}

bool writeCharacterSetFile(const std::string& path, std::u16string_view text)
{
    const bool arabicForms = path.find("_arE") != std::string::npos;
    return writeOutputFile(path, characterSetText(text, arabicForms));
}

std::string characterSetFilePrefix(const std::string& resStrDir, const std::string& resFile)
{
    std::string name = platform::fileNameOf(resFile);
    name.resize(name.size() >= 4 ? name.size() - 4 : 0);
    return platform::joinPath(platform::joinPath(nativeOutputPath(resStrDir), "txt"), name);
}

} // namespace generate

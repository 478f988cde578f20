#include "generate/StyleFileCheck.h"

#include "generate/StyleHeader.h"
#include "generate/StyleLayout.h"
#include "platform/AsciiCase.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <unordered_set>

namespace generate {
namespace {

constexpr int kHighBase = 10000;

std::string hexText(std::uint32_t value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%x", static_cast<unsigned>(value));
    return buffer;
}

const char* kindName(const StyleMember& member)
{
    if (std::holds_alternative<StyleGroupRecord>(member.record)) {
        return "group";
    }
    if (const auto* picture = std::get_if<StylePictureRecord>(&member.record)) {
        return picture->region ? "picture region" : "picture";
    }
    return "string";
}

std::uint32_t nameHashOf(const StyleMember& member)
{
    return std::visit([](const auto& record) { return record.nameHash; }, member.record);
}

// Visits every member record in file order with its file offset and a text that names it.
class RecordWalk
{
public:
    using Visit = std::function<void(const StyleMember&, const std::string& where)>;
    using VisitScene = std::function<void(const StyleScene&, const std::string& where)>;

    void run(const StyleFileContent& content, const VisitScene& visitScene, const Visit& visit)
    {
        m_visit = &visit;
        const std::vector<StyleScene>& scenes = content.scenes;
        std::size_t at = kStyleHeaderSize + scenes.size() * kSceneEntrySize;
        for (std::size_t i = 0; i < scenes.size(); ++i) {
            m_scene = "scene " + std::to_string(i + 1);
            visitScene(scenes[i], m_scene + " (table entry at offset " +
                                      std::to_string(kStyleHeaderSize + i * kSceneEntrySize) + ")");
            for (const StyleTopContainer& container : scenes[i].containers) {
                members(container.members, at + kTopContainerRecordSize);
                at += styleRecordTreeSize(container);
            }
        }
    }

private:
    void members(const std::vector<StyleMember>& members, std::size_t at)
    {
        for (const StyleMember& member : members) {
            (*m_visit)(member, m_scene + ", " + kindName(member) + " record at offset " +
                                   std::to_string(at));
            if (const auto* group = std::get_if<StyleGroupRecord>(&member.record)) {
                this->members(group->members, at + kGroupRecordSize);
            }
            at += styleRecordTreeSize(member);
        }
    }

    const Visit* m_visit = nullptr;
    std::string m_scene;
};

std::vector<std::uint16_t> pictureIdsOf(const StyleMember& member)
{
    const auto* picture = std::get_if<StylePictureRecord>(&member.record);
    if (!picture) {
        return {};
    }
    return picture->region ? picture->frameIds : std::vector<std::uint16_t>{picture->pictureId};
}

} // namespace

std::optional<std::uint32_t> parseHexValue(std::string_view value)
{
    if (value.size() >= 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        value.remove_prefix(2);
    }
    value = value.substr(0, value.find_first_of(" \t"));
    if (value.empty()) {
        return std::nullopt;
    }
    while (value.size() > 1 && value.front() == '0') {
        value.remove_prefix(1);
    }
    if (value.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t number = 0;
    for (char c : value) {
        const int digit = platform::hexDigitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    return number;
}

std::vector<std::string> undefinedNameHashes(const StyleFileContent& content,
                                             std::string_view headerText)
{
    std::unordered_set<std::uint32_t> defined;
    for (const DefineLine& define : parseDefines(headerText)) {
        if (const auto value = parseHexValue(define.value)) {
            defined.insert(*value);
        }
    }
    std::vector<std::string> problems;
    const auto check = [&](std::uint32_t hash, const std::string& where) {
        if (defined.count(hash) == 0) {
            problems.push_back(where + ": name hash " + hexText(hash) +
                               " has no define in the style header");
        }
    };
    RecordWalk().run(
        content,
        [&](const StyleScene& scene, const std::string& where) { check(scene.nameHash, where); },
        [&](const StyleMember& member, const std::string& where) {
            check(nameHashOf(member), where);
        });
    return problems;
}

std::vector<std::string> unknownPictureIds(const StyleFileContent& content, std::size_t entryCount,
                                           std::optional<std::size_t> givenBase)
{
    std::vector<std::pair<std::uint16_t, std::string>> ids;
    RecordWalk().run(
        content, [](const StyleScene&, const std::string&) {},
        [&](const StyleMember& member, const std::string& where) {
            for (std::uint16_t id : pictureIdsOf(member)) {
                ids.emplace_back(id, where);
            }
        });
    // Both bases number from base + 1, so without the build's base the identifiers show it.
    const bool highBase = !ids.empty() && std::all_of(ids.begin(), ids.end(), [](const auto& id) {
        return id.first > kHighBase;
    });
    const std::size_t base = givenBase ? *givenBase : highBase ? kHighBase : 0;
    std::vector<std::string> problems;
    for (const auto& [id, where] : ids) {
        if (id <= base || id - base > entryCount) {
            problems.push_back(where + ": picture identifier " + std::to_string(id) +
                               " names no entry of the picture resource file (" +
                               std::to_string(entryCount) + " entries)");
        }
    }
    return problems;
}

} // namespace generate

#include "generate/StyleFileCheck.h"

#include "generate/StyleHeader.h"
#include "generate/StyleLayout.h"

#include <cstdio>
#include <unordered_set>

namespace generate {
namespace {

std::string hashText(std::uint32_t hash)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%x", static_cast<unsigned>(hash));
    return buffer;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Walks the records in file order, keeping each record's offset, and reports the hashes
// that have no define.
class HashWalk
{
public:
    explicit HashWalk(const std::unordered_set<std::uint32_t>& defined) : m_defined(defined) {}

    void scenes(const std::vector<StyleScene>& scenes)
    {
        std::size_t at = kStyleHeaderSize + scenes.size() * kSceneEntrySize;
        for (std::size_t i = 0; i < scenes.size(); ++i) {
            m_scene = "scene " + std::to_string(i + 1);
            check(scenes[i].nameHash, m_scene + " (table entry at offset " +
                                          std::to_string(kStyleHeaderSize + i * kSceneEntrySize) +
                                          ")");
            for (const StyleTopContainer& container : scenes[i].containers) {
                members(container.members, at + kTopContainerRecordSize);
                at += styleRecordTreeSize(container);
            }
        }
    }

    std::vector<std::string> take() { return std::move(m_problems); }

private:
    void members(const std::vector<StyleMember>& members, std::size_t at)
    {
        for (const StyleMember& member : members) {
            if (const auto* group = std::get_if<StyleGroupRecord>(&member.record)) {
                check(group->nameHash, record("group", at));
                this->members(group->members, at + kGroupRecordSize);
            } else if (const auto* picture = std::get_if<StylePictureRecord>(&member.record)) {
                check(picture->nameHash,
                      record(picture->region ? "picture region" : "picture", at));
            } else {
                check(std::get<StyleStringRecord>(member.record).nameHash, record("string", at));
            }
            at += styleRecordTreeSize(member);
        }
    }

    std::string record(const char* kind, std::size_t at) const
    {
        return m_scene + ", " + kind + " record at offset " + std::to_string(at);
    }

    void check(std::uint32_t hash, const std::string& where)
    {
        if (m_defined.count(hash) == 0) {
            m_problems.push_back(where + ": name hash " + hashText(hash) +
                                 " has no define in the style header");
        }
    }

    const std::unordered_set<std::uint32_t>& m_defined;
    std::string m_scene;
    std::vector<std::string> m_problems;
};

} // namespace

std::optional<std::uint32_t> parseHexValue(std::string_view value)
{
    if (value.size() >= 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        value.remove_prefix(2);
    }
    const std::size_t end = value.find_first_of(" \t");
    value = value.substr(0, end);
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
        const int digit = hexDigit(c);
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
    HashWalk walk(defined);
    walk.scenes(content.scenes);
    return walk.take();
}

} // namespace generate

#include "generate/StyleFileReader.h"

#include "generate/LittleEndianReader.h"
#include "generate/StyleLayout.h"

#include <cstdio>

namespace generate {
namespace {

// Groups nest a handful of levels in real projects; the limit keeps a crafted file from
// exhausting the stack.
constexpr int kMaxNesting = 100;

std::string hex(std::uint64_t value)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(value));
    return buffer;
}

class Decoder
{
public:
    explicit Decoder(std::string_view bytes) : m_in(bytes) {}

    bool file(StyleFileContent& content)
    {
        if (!m_in.has(0, kStyleHeaderSize)) {
            return fail(0, "the file is shorter than the 16-byte header");
        }
        content.firstWord = m_in.u32(0);
        if (content.firstWord != kStyleMagicNewProject &&
            content.firstWord != kStyleMagicLoadedProject) {
            return fail(0, "unknown first header word " + hex(content.firstWord));
        }
        if (m_in.u32(12) != 1) {
            return fail(12, "header flag word is " + hex(m_in.u32(12)) + ", expected 0x1");
        }
        content.screenWidth = m_in.u16(8);
        content.screenHeight = m_in.u16(10);
        const std::uint64_t count = m_in.u32(4);
        std::uint64_t expected = kStyleHeaderSize + count * kSceneEntrySize;
        if (expected > m_in.size()) {
            return fail(4, "scene count " + std::to_string(count) + " needs a " +
                               std::to_string(expected) + "-byte table, the file has " +
                               std::to_string(m_in.size()) + " bytes");
        }
        content.scenes.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            if (!scene(i, expected, content.scenes[i])) {
                return false;
            }
        }
        if (expected != m_in.size()) {
            return fail(expected, std::to_string(m_in.size() - expected) +
                                      " bytes follow the last scene's records");
        }
        return true;
    }

    const std::string& error() const { return m_error; }

private:
    bool fail(std::uint64_t offset, const std::string& message)
    {
        m_error = "offset " + std::to_string(offset) + ": " + message;
        return false;
    }

    // Reads table entry `index`; its records must start at `position`, which then moves past
    // them.
    bool scene(std::size_t index, std::uint64_t& position, StyleScene& scene)
    {
        const std::size_t entry = kStyleHeaderSize + index * kSceneEntrySize;
        scene.nameHash = m_in.u32(entry);
        const std::uint64_t start = m_in.u32(entry + 4);
        const std::uint64_t end = start + m_in.u32(entry + 8);
        const std::string name = "scene " + std::to_string(index + 1);
        if (start != position) {
            return fail(entry + 4, name + " records start at " + std::to_string(start) +
                                       ", expected " + std::to_string(position));
        }
        if (end > m_in.size()) {
            return fail(entry + 8, name + " records end at " + std::to_string(end) +
                                       ", past the end of the file");
        }
        std::size_t at = static_cast<std::size_t>(start);
        while (at < end) {
            scene.containers.emplace_back();
            if (!topContainer(at, static_cast<std::size_t>(end), scene.containers.back())) {
                return false;
            }
        }
        position = end;
        return true;
    }

    bool need(std::size_t at, std::size_t count, std::size_t limit, const char* what)
    {
        if (at > limit || count > limit - at) {
            return fail(at, std::string(what) + " record cut off at " + std::to_string(limit));
        }
        return true;
    }

    bool firstMemberOffset(std::size_t field, std::uint32_t expected)
    {
        if (m_in.u32(field) != expected) {
            return fail(field, "first-member offset " + std::to_string(m_in.u32(field)) +
                                   ", expected " + std::to_string(expected));
        }
        return true;
    }

    void block(std::size_t at, StyleGroupBlock& block) const
    {
        block.x = m_in.i16(at);
        block.y = m_in.i16(at + 2);
        block.width = m_in.u16(at + 4);
        block.height = m_in.u16(at + 6);
        block.backgroundColour = storedColour(m_in.u32(at + 8));
        block.visible = m_in.u8(at + 12);
        block.opaque = m_in.u8(at + 13);
        block.transparency = m_in.u8(at + 14);
        block.reserved = m_in.u8(at + 15);
    }

    bool topContainer(std::size_t& at, std::size_t limit, StyleTopContainer& container)
    {
        if (!need(at, kTopContainerRecordSize, limit, "top-level container") ||
            !firstMemberOffset(at + 20, kTopContainerRecordSize)) {
            return false;
        }
        block(at, container.block);
        container.direction = m_in.u8(at + 24);
        for (std::size_t k = 0; k < container.keys.size(); ++k) {
            container.keys[k] = m_in.u8(at + 25 + k);
        }
        const std::uint32_t count = m_in.u32(at + 16);
        const std::size_t countField = at + 16;
        at += kTopContainerRecordSize;
        return members(at, countField, count, limit, 0, container.members);
    }

    bool members(std::size_t& at, std::size_t countField, std::uint32_t count, std::size_t limit,
                 int depth, std::vector<StyleMember>& members)
    {
        if (count > (limit - at) / kPictureRecordSize) {
            return fail(countField, "member count " + std::to_string(count) +
                                        " does not fit in the " + std::to_string(limit - at) +
                                        " bytes left");
        }
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t start = at;
            members.emplace_back();
            if (!member(at, limit, depth, members.back())) {
                return false;
            }
            const std::uint32_t next = m_in.u32(start + 5);
            const std::uint32_t expected =
                i + 1 < count ? static_cast<std::uint32_t>(at - start) : 0;
            if (next != expected) {
                return fail(start + 5, "next-sibling offset " + std::to_string(next) +
                                           ", expected " + std::to_string(expected));
            }
        }
        return true;
    }

    bool member(std::size_t& at, std::size_t limit, int depth, StyleMember& member)
    {
        if (!need(at, kPictureRecordSize, limit, "member")) {
            return false;
        }
        switch (m_in.u8(at)) {
        case kKindGroup:
            return group(at, limit, depth, member);
        case kKindPicture:
        case kKindRegion:
            return picture(at, limit, member);
        case kKindString:
            return string(at, limit, member);
        default:
            return fail(at, "unknown record kind " + std::to_string(m_in.u8(at)));
        }
    }

    bool group(std::size_t& at, std::size_t limit, int depth, StyleMember& member)
    {
        if (depth >= kMaxNesting) {
            return fail(at, "groups nested more than " + std::to_string(kMaxNesting) + " deep");
        }
        if (!need(at, kGroupRecordSize, limit, "group") || !firstMemberOffset(at + 33, 37)) {
            return false;
        }
        StyleGroupRecord& group = member.record.emplace<StyleGroupRecord>();
        group.nameHash = m_in.u32(at + 1);
        group.left = m_in.u16(at + 9);
        group.top = m_in.u16(at + 11);
        block(at + 13, group.block);
        const std::size_t countField = at + 29;
        at += kGroupRecordSize;
        return members(at, countField, m_in.u32(countField), limit, depth + 1, group.members);
    }

    bool picture(std::size_t& at, std::size_t limit, StyleMember& member)
    {
        StylePictureRecord& picture = member.record.emplace<StylePictureRecord>();
        picture.region = m_in.u8(at) == kKindRegion;
        picture.nameHash = m_in.u32(at + 1);
        picture.x = m_in.i16(at + 9);
        picture.y = m_in.i16(at + 11);
        picture.width = m_in.u16(at + 13);
        picture.height = m_in.u16(at + 15);
        picture.visible = m_in.u8(at + 17);
        if (!picture.region) {
            picture.pictureId = m_in.u16(at + 18);
            at += kPictureRecordSize;
            return true;
        }
        const std::size_t frames = m_in.u16(at + 18);
        if (!need(at, kRegionFrameListOffset + 2 * frames, limit, "picture region")) {
            return false;
        }
        if (m_in.u32(at + 20) != kRegionFrameListOffset) {
            return fail(at + 20,
                        "frame-list offset " + std::to_string(m_in.u32(at + 20)) + ", expected 24");
        }
        for (std::size_t f = 0; f < frames; ++f) {
            picture.frameIds.push_back(m_in.u16(at + kRegionFrameListOffset + 2 * f));
        }
        at += kRegionFrameListOffset + 2 * frames;
        return true;
    }

    bool string(std::size_t& at, std::size_t limit, StyleMember& member)
    {
        if (!need(at, kStringRecordSize, limit, "string")) {
            return false;
        }
        StyleStringRecord& text = member.record.emplace<StyleStringRecord>();
        text.nameHash = m_in.u32(at + 1);
        text.x = m_in.i16(at + 9);
        text.y = m_in.i16(at + 11);
        text.width = m_in.u16(at + 13);
        text.height = m_in.u16(at + 15);
        text.foregroundColour = storedColour(m_in.u32(at + 17));
        text.backgroundColour = storedColour(m_in.u32(at + 21));
        text.visible = m_in.u8(at + 25);
        text.alignment = m_in.u8(at + 26);
        text.mode = m_in.u8(at + 27);
        text.fontHeight = m_in.u8(at + 28);
        text.stringId = m_in.u16(at + 29);
        text.textScroll = m_in.u8(at + 31);
        text.scrollSign = m_in.i8(at + 32);
        text.scrollInterval = m_in.u16(at + 33);
        text.scrollPixels = m_in.u16(at + 35);
        at += kStringRecordSize;
        return true;
    }

    LittleEndianReader m_in;
    std::string m_error;
};

} // namespace

std::optional<StyleFileContent> StyleFileReader::read(std::string_view bytes)
{
    Decoder decoder(bytes);
    StyleFileContent content;
    if (!decoder.file(content)) {
        m_error = decoder.error();
        return std::nullopt;
    }
    m_error.clear();
    return content;
}

} // namespace generate

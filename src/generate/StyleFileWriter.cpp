#include "generate/StyleFileWriter.h"

#include "generate/LittleEndianWriter.h"
#include "generate/StyleLayout.h"

#include <limits>

namespace generate {
namespace {

constexpr std::size_t kNextOffsetField = 5; // kind byte and name hash come first

class Encoder
{
public:
    void header(const StyleFileContent& content)
    {
        m_out.u32(content.firstWord);
        m_out.u32(static_cast<std::uint32_t>(content.scenes.size()));
        m_out.u16(content.screenWidth);
        m_out.u16(content.screenHeight);
        m_out.u32(1); // the byte 1 and three zero bytes
    }

    void scenes(const std::vector<StyleScene>& scenes)
    {
        const std::size_t table = m_out.size();
        for (std::size_t i = 0; i < scenes.size() * 3; ++i) {
            m_out.u32(0);
        }
        for (std::size_t i = 0; i < scenes.size(); ++i) {
            const std::size_t start = m_out.size();
            for (const StyleTopContainer& container : scenes[i].containers) {
                topContainer(container);
            }
            const std::size_t entry = table + i * kSceneEntrySize;
            m_out.patchU32(entry, scenes[i].nameHash);
            m_out.patchU32(entry + 4, static_cast<std::uint32_t>(start));
            m_out.patchU32(entry + 8, static_cast<std::uint32_t>(m_out.size() - start));
        }
    }

    std::optional<std::string> finish(std::string* error)
    {
        if (m_error.empty() && m_out.size() > std::numeric_limits<std::uint32_t>::max()) {
            m_error = "the style file would be larger than 4 GiB";
        }
        if (!m_error.empty()) {
            if (error) {
                *error = m_error;
            }
            return std::nullopt;
        }
        return m_out.take();
    }

private:
    void block(const StyleGroupBlock& block)
    {
        m_out.i16(block.x);
        m_out.i16(block.y);
        m_out.u16(block.width);
        m_out.u16(block.height);
        m_out.u32(styleFileColour(block.backgroundColour));
        m_out.u8(block.visible);
        m_out.u8(block.opaque);
        m_out.u8(block.transparency);
        m_out.u8(block.reserved);
    }

    void topContainer(const StyleTopContainer& container)
    {
        block(container.block);
        m_out.u32(static_cast<std::uint32_t>(container.members.size()));
        m_out.u32(kTopContainerRecordSize);
        m_out.u8(container.direction);
        for (std::uint8_t key : container.keys) {
            m_out.u8(key);
        }
        members(container.members);
    }

    // Members follow their group's record; each but the last carries the size of its own
    // record tree, so a reader can step over it.
    void members(const std::vector<StyleMember>& members)
    {
        for (std::size_t i = 0; i < members.size(); ++i) {
            const std::size_t start = m_out.size();
            std::visit([this](const auto& record) { write(record); }, members[i].record);
            if (i + 1 < members.size()) {
                const std::size_t size = m_out.size() - start;
                m_out.patchU32(start + kNextOffsetField, static_cast<std::uint32_t>(size));
            }
        }
    }

    void recordStart(std::uint8_t kind, std::uint32_t nameHash)
    {
        m_out.u8(kind);
        m_out.u32(nameHash);
        m_out.u32(0); // next-sibling offset, patched by members()
    }

    void geometry(std::int16_t x, std::int16_t y, std::uint16_t width, std::uint16_t height)
    {
        m_out.i16(x);
        m_out.i16(y);
        m_out.u16(width);
        m_out.u16(height);
    }

    void write(const StyleGroupRecord& group)
    {
        recordStart(kKindGroup, group.nameHash);
        m_out.u16(group.left);
        m_out.u16(group.top);
        block(group.block);
        m_out.u32(static_cast<std::uint32_t>(group.members.size()));
        m_out.u32(kGroupRecordSize);
        members(group.members);
    }

    void write(const StylePictureRecord& picture)
    {
        recordStart(picture.region ? kKindRegion : kKindPicture, picture.nameHash);
        geometry(picture.x, picture.y, picture.width, picture.height);
        m_out.u8(picture.visible);
        if (!picture.region) {
            m_out.u16(picture.pictureId);
            return;
        }
        if (picture.frameIds.size() > std::numeric_limits<std::uint16_t>::max()) {
            m_error = "a picture region has more than 65535 frames";
        }
        m_out.u16(static_cast<std::uint16_t>(picture.frameIds.size()));
        m_out.u32(kRegionFrameListOffset);
        for (std::uint16_t id : picture.frameIds) {
            m_out.u16(id);
        }
    }

    void write(const StyleStringRecord& text)
    {
        recordStart(kKindString, text.nameHash);
        geometry(text.x, text.y, text.width, text.height);
        m_out.u32(styleFileColour(text.foregroundColour));
        m_out.u32(styleFileColour(text.backgroundColour));
        m_out.u8(text.visible);
        m_out.u8(text.alignment);
        m_out.u8(styleFileMode(text.mode));
        m_out.u8(text.fontHeight);
        m_out.u16(text.stringId);
        m_out.u8(text.textScroll);
        m_out.i8(text.scrollSign);
        m_out.u16(text.scrollInterval);
        m_out.u16(text.scrollPixels);
    }

    LittleEndianWriter m_out;
    std::string m_error;
};

} // namespace

std::optional<std::string> StyleFileWriter::encode(const StyleFileContent& content,
                                                   std::string* error)
{
    Encoder encoder;
    encoder.header(content);
    encoder.scenes(content.scenes);
    return encoder.finish(error);
}

} // namespace generate

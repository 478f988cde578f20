#include "StyleSamples.h"

#include "generate/LittleEndianReader.h"
#include "generate/StyleFileReader.h"
#include "generate/StyleFileWriter.h"
#include "generate/StyleLayout.h"
#include "model/NameHash.h"

#include <gtest/gtest.h>

using namespace generate;

namespace {

std::string encode(const StyleFileContent& content)
{
    std::string error;
    const auto bytes = StyleFileWriter::encode(content, &error);
    EXPECT_TRUE(bytes) << error;
    return bytes ? *bytes : std::string();
}

StyleFileContent oneScene(std::vector<StyleMember> members)
{
    StyleTopContainer container;
    container.members = std::move(members);
    StyleFileContent content;
    content.scenes = {{NameHash("Main"), {container}}};
    return content;
}

std::string bytesFromHex(const std::string& hex)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size();) {
        if (hex[i] == ' ') {
            ++i;
            continue;
        }
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
        i += 2;
    }
    return bytes;
}

void putU32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>(value >> (8 * i));
    }
}

} // namespace

TEST(StyleLayout, RecordTreeSizes)
{
    StyleGroupRecord group;
    group.members = {{sampleString("Title")}};
    EXPECT_EQ(styleRecordTreeSize(StyleMember{group}), 37u + 37u);
    StyleTopContainer top;
    top.members = {{sampleString("Title")}};
    EXPECT_EQ(styleRecordTreeSize(top), 41u + 37u);
    EXPECT_EQ(styleRecordTreeSize(StyleMember{sampleRegion("Anim", 3)}), 30u);
}

TEST(StyleLayout, NextSiblingOffsetsCoverTheRecordTreeAndTheLastIsZero)
{
    StyleGroupRecord group;
    group.nameHash = NameHash("Panel");
    group.members = {{sampleString("Title")}};
    const std::string bytes =
        encode(oneScene({{sampleRegion("Anim", 3)}, {group}, {sampleString("Last")}}));
    const LittleEndianReader in(bytes);
    const std::size_t region = 16 + 12 + 41;
    EXPECT_EQ(in.u8(region), kKindRegion);
    EXPECT_EQ(in.u32(region + 5), 30u);
    EXPECT_EQ(in.u16(region + 18), 3u);
    EXPECT_EQ(in.u32(region + 20), 24u);
    EXPECT_EQ(in.u16(region + 28), 10003u);
    const std::size_t groupAt = region + 30;
    EXPECT_EQ(in.u8(groupAt), kKindGroup);
    EXPECT_EQ(in.u32(groupAt + 5), 37u + 37u);
    EXPECT_EQ(in.u32(groupAt + 29), 1u);
    EXPECT_EQ(in.u32(groupAt + 33), 37u);
    EXPECT_EQ(in.u32(groupAt + 37 + 5), 0u) << "only member of its group";
    const std::size_t last = groupAt + 74;
    EXPECT_EQ(in.u32(last + 5), 0u);
    EXPECT_EQ(bytes.size(), last + 37);
    EXPECT_EQ(in.u32(28 + 16), 3u) << "members of the top-level container";
    EXPECT_EQ(in.u32(16 + 8), 41u + 30u + 74u + 37u) << "scene size";
}

TEST(StyleLayout, SmallFileByteForByte)
{
    StyleFileContent content = oneScene({{sampleString("A")}});
    content.firstWord = kStyleMagicNewProject;
    content.screenWidth = 320;
    content.screenHeight = 240;
    StyleTopContainer& top = content.scenes[0].containers[0];
    top.block = {-2, 3, 320, 240, 0x00C8B4A0, 1, 0, 255, 7};
    top.direction = 1;
    top.keys[0] = 1;
    top.keys[15] = 16;
    content.scenes[0].nameHash = 0x41; // NameHash("A")
    auto& text = std::get<StyleStringRecord>(top.members[0].record);
    text.nameHash = 0x41;

    const std::string expected = bytesFromHex(
        // header: "BIN" 0x18, one scene, 320 x 240, the byte 1
        "42494E18 01000000 4001 F000 01000000"
        // scene table: hash, records at 28, 78 bytes
        "41000000 1C000000 4E000000"
        // top-level container: geometry, colour RGB, visible opaque transparency next byte,
        // one member, first member at 41, direction, 16 keys
        "FEFF 0300 4001 F000 C8B4A000 01 00 FF 07 01000000 29000000 01"
        "01000000000000000000000000000010"
        // string: kind, hash, next 0, x -4, y 30, 100 x 20, fg 0x112233, bg white, visible,
        // alignment, mode 1 written as 2, font 16, id 10002, scroll, sign -1, 100 ms, 1 px
        "02 41000000 00000000 FCFF 1E00 6400 1400 33221100 FFFFFF00 01 0E 02 10 1227 00 FF"
        "6400 0100");
    EXPECT_EQ(encode(content), expected);
}

TEST(StyleLayout, ReaderGivesBackWhatTheWriterWrote)
{
    const std::string bytes = encode(sampleStyleContent());
    StyleFileReader reader;
    const auto content = reader.read(bytes);
    ASSERT_TRUE(content) << reader.error();
    ASSERT_EQ(content->scenes.size(), 2u);
    EXPECT_EQ(content->scenes[1].containers.size(), 2u);
    const auto& panel =
        std::get<StyleGroupRecord>(content->scenes[0].containers[0].members[0].record);
    EXPECT_EQ(panel.block.backgroundColour, 0x00C8C8C8u);
    EXPECT_EQ(std::get<StylePictureRecord>(panel.members[0].record).frameIds,
              (std::vector<std::uint16_t>{10001, 10002, 10003}));
    EXPECT_EQ(StyleFileWriter::encode(*content), bytes) << "every field read back";
}

TEST(StyleLayout, ReaderRejectsDamagedFiles)
{
    const std::string good = encode(sampleStyleContent());
    const std::size_t panel = 40 + 41;     // first member of scene 1
    const std::size_t region = panel + 37; // first member of the group
    const std::size_t logo = region + 30;  // last member of the group
    const std::size_t hintTop = 205 + 41;  // second top-level container of scene 2
    struct Case
    {
        const char* what;
        std::size_t at;
        std::uint32_t value;
        const char* error;
    };
    const Case cases[] = {
        {"first word", 0, 0x12345678, "first header word"},
        {"flag word", 12, 0, "flag word"},
        {"scene count", 4, 3, "records start at"},
        {"huge scene count", 4, 0x40000000, "needs a"},
        {"scene offset", 16 + 12 + 4, 206, "records start at"},
        {"scene size", 16 + 12 + 8, 118, "cut off"},
        {"region next offset", region + 5, 31, "next-sibling offset 31, expected 30"},
        {"last member next offset", logo + 5, 20, "next-sibling offset 20, expected 0"},
        {"group member count", panel + 29, 3, "next-sibling offset"},
        {"huge member count", panel + 29, 0x7FFFFFFF, "does not fit"},
        {"record kind", logo, 9, "unknown record kind 9"},
        {"first-member offset", 40 + 20, 40, "first-member offset 40, expected 41"},
        {"group first-member offset", panel + 33, 41, "first-member offset 41, expected 37"},
        {"frame list offset", region + 20, 26, "frame-list offset"},
        {"top-level member count", hintTop + 16, 0, "cut off"},
    };
    StyleFileReader reader;
    for (const Case& c : cases) {
        std::string bytes = good;
        if (c.what == std::string("record kind")) {
            bytes[c.at] = static_cast<char>(c.value);
        } else {
            putU32(bytes, c.at, c.value);
        }
        EXPECT_FALSE(reader.read(bytes)) << c.what;
        EXPECT_NE(reader.error().find(c.error), std::string::npos)
            << c.what << ": " << reader.error();
    }
    EXPECT_FALSE(reader.read(good + '\0'));
    EXPECT_NE(reader.error().find("1 bytes follow"), std::string::npos) << reader.error();
    for (std::size_t size = 0; size < good.size(); ++size) {
        EXPECT_FALSE(reader.read(good.substr(0, size))) << "cut to " << size;
    }
}

TEST(StyleLayout, LimitsOfTheLayoutAreErrors)
{
    std::string error;
    EXPECT_FALSE(StyleFileWriter::encode(oneScene({{sampleRegion("Anim", 65536)}}), &error));
    EXPECT_NE(error.find("65535"), std::string::npos);

    // Groups nested deeper than any project are refused by the reader, not followed.
    StyleMember nested{sampleString("Leaf")};
    for (int depth = 0; depth < 150; ++depth) {
        StyleGroupRecord group;
        group.members.push_back(std::move(nested));
        nested = StyleMember{std::move(group)};
    }
    StyleFileReader reader;
    EXPECT_FALSE(reader.read(encode(oneScene({std::move(nested)}))));
    EXPECT_NE(reader.error().find("nested"), std::string::npos) << reader.error();
}

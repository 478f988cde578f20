#include "strings/RtfBuilder.h"
#include "strings/RtfCharset.h"
#include "strings/RtfReader.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// A document whose font 3 has `charset` and whose text is `bytes` as "\'hh" escapes.
std::string escapedDocument(int charset, const std::string& bytes)
{
    std::string rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f3\\fnil\\fcharset" +
        std::to_string(charset) + " Some Face;}}\\f3 ";
    char escape[8];
    for (const char byte : bytes) {
        std::snprintf(escape, sizeof escape, "\\'%02x", static_cast<unsigned char>(byte));
        rtf += escape;
    }
    return rtf + "}";
}

std::u16string readOrFail(const std::string& rtf)
{
    const auto text = RtfReader::read(rtf);
    EXPECT_TRUE(text.has_value());
    return text.value_or(u"");
}

TEST(RtfReader, RoundTripsTheBuilderOverEveryCharsetClass)
{
    const std::u16string texts[] = {
        u"中文字符㐀ㄅ", u"ひらがなカタカナ", u"한국어ᄀ",  u"العربية ﻼ",
        u"ภาษาไทย",      u"עברית ﬡ",          u"Русский Ӂ", u"Latin é ß ?}{\\ 😀",
    };
    std::u16string all;
    for (const std::u16string& text : texts) {
        EXPECT_EQ(readOrFail(RtfBuilder::build(text)), text);
        all += text;
    }
    EXPECT_EQ(readOrFail(RtfBuilder::build(all)), all);

    std::array<char16_t, RtfReader::kBufferSize> buffer{};
    EXPECT_EQ(RtfReader::read(RtfBuilder::build(all), buffer.data(), buffer.size()),
              all.size() + 1);
    EXPECT_EQ(std::u16string(buffer.data()), all);
}

TEST(RtfReader, BytesOfEveryCharsetRowReadThroughTheirCodePage)
{
    struct Row
    {
        int charset;
        std::u16string text;
    };
    const Row rows[] = {
        {0, u"Grüße € …"},     {1, u"Grüße"},          {2, u"façade"},     {3, u"Ærø"},
        {77, u"naïve"},        {254, u"Ñandú"},        {255, u"Öl"},       {161, u"Ελληνικά"},
        {162, u"İstanbul ğş"}, {186, u"Lietuvių ąčę"}, {222, u"ภาษาไทย"},  {177, u"שלום"},
        {181, u"עברית"},       {178, u"مرحبا"},        {179, u"عربي"},     {180, u"نص"},
        {204, u"Привет"},      {163, u"Đơư ₫"},        {134, u"简体中文"}, {136, u"繁體中文"},
        {129, u"한국어"},      {130, u"한국어"},       {128, u"日本語ｶﾅ"}, {238, u"Łódź"},
    };
    for (const Row& row : rows) {
        const unsigned codePage = RtfCharset::codePageOf(row.charset);
        ASSERT_NE(codePage, 0u) << row.charset;
        const auto encoded = platform::utf16ToCodePage(row.text, codePage);
        ASSERT_TRUE(encoded && !encoded->usedDefaultChar) << row.charset;
        EXPECT_EQ(readOrFail(escapedDocument(row.charset, encoded->bytes)), row.text)
            << "charset " << row.charset;
    }
}

TEST(RtfReader, SingleByteTablesAreTheWindowsCodePages)
{
    EXPECT_EQ(RtfCharset::codeUnit(0, "\x80"), 0x20AC);
    EXPECT_EQ(RtfCharset::codeUnit(0, "\x9F"), 0x0178);
    EXPECT_EQ(RtfCharset::codeUnit(0, "\x81"), 0xFFFD); // not assigned in 1252
    EXPECT_EQ(RtfCharset::codeUnit(222, "\xA1"), 0x0E01);
    EXPECT_EQ(RtfCharset::codeUnit(177, "\xE0"), 0x05D0);
    EXPECT_EQ(RtfCharset::codeUnit(178, "\xC7"), 0x0627);
    EXPECT_EQ(RtfCharset::codeUnit(178, "\x81"), 0x067E);
    EXPECT_EQ(RtfCharset::codeUnit(204, "\xC0"), 0x0410);
    EXPECT_EQ(RtfCharset::codeUnit(161, "\xC1"), 0x0391);
    // 1258 keeps its combining accents as they are, not composed with a letter.
    EXPECT_EQ(RtfCharset::codeUnit(163, "\xDE"), 0x0303);
    EXPECT_EQ(RtfCharset::codeUnit(163, "\xEC"), 0x0301);
}

TEST(RtfReader, DoubleByteCharacters)
{
    EXPECT_EQ(RtfCharset::codeUnit(134, "\xD6\xD0"), u'中');
    EXPECT_EQ(RtfCharset::codeUnit(134, "\xD6"), RtfCharset::kNoCodeUnit);
    EXPECT_EQ(RtfCharset::codeUnit(128, "\xB6"), 0xFF76); // half-width katakana: one byte
    EXPECT_EQ(RtfCharset::codeUnit(99, "A"), RtfCharset::kNoCodeUnit);

    const std::string font = "{\\rtf1{\\fonttbl{\\f1\\fcharset128 MS Gothic;}}\\f1 ";
    // The trail byte may be written as it is; a lead byte without one is no character.
    EXPECT_EQ(readOrFail(font + "\\'83A\\'83\\'41}"), u"アア");
    EXPECT_EQ(readOrFail(font + "\\'83}"), u"\uFFFD");
    EXPECT_EQ(readOrFail(font + "\\'83\\par x}"), u"\uFFFD\nx");
}

TEST(RtfReader, UnicodeValuesAndTheirReplacements)
{
    EXPECT_EQ(readOrFail("{\\rtf1 \\u40869?\\u-24667?}"), u"\u9FA5\u9FA5");
    // The replacement is skipped as one unit, whatever its form, and \uc says how many.
    EXPECT_EQ(readOrFail("{\\rtf1 \\u20013\\'d6\\u20013 x}"), u"中中");
    EXPECT_EQ(readOrFail("{\\rtf1\\uc2 \\u20013\\'d6\\'d0a{\\uc0\\u25991 b}\\u25991??}"),
              u"中a文b文");
    // A brace ends the replacement early.
    EXPECT_EQ(readOrFail("{\\rtf1 {\\u20013}x}"), u"中x");
}

TEST(RtfReader, FontsTextAndGroups)
{
    // Font numbers above 9; text after a group and after a control word's parameter.
    EXPECT_EQ(readOrFail("{\\rtf1{\\fonttbl{\\f12\\fcharset204 A;}{\\f3\\fcharset161 B;}}"
                         "\\f12\\'cf{\\f3\\'c1}\\'cf\\b0x{\\b y}z}"),
              u"ПΑПxyz");
    EXPECT_EQ(readOrFail("{\\rtf1 a\\par b\\line c\\tab d\\{\\}\\\\\\~e\\par\\par}"),
              u"a\nb\nc\td{}\\\u00A0e");
    EXPECT_EQ(readOrFail("{\\rtf1{\\colortbl;\\red0 red;}{\\*\\unknown x}{\\info{\\title T}}"
                         "{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt link}}\\bin3 }}} ok}"
                         "after"),
              u"link ok");
}

TEST(RtfReader, TextThatIsNotRtfLeavesTheBufferAsItWas)
{
    for (const char* text : {"", "{\\rtf", "{\\RTF1 x}", " {\\rtf1 x}", "rtf1", "{\\urtf1 x}"}) {
        std::array<char16_t, 8> buffer;
        buffer.fill(u'#');
        EXPECT_EQ(RtfReader::read(text, buffer.data(), buffer.size()), 0u) << text;
        EXPECT_EQ(std::u16string(buffer.begin(), buffer.end()), u"########") << text;
        EXPECT_EQ(RtfReader::read(text), std::nullopt) << text;
    }
}

TEST(RtfReader, TextIsCutToTheBuffer)
{
    std::array<char16_t, 4> buffer;
    buffer.fill(u'#');
    EXPECT_EQ(RtfReader::read("{\\rtf1 abcdef}", buffer.data(), buffer.size()), 4u);
    EXPECT_EQ(std::u16string(buffer.data(), 4), std::u16string(u"abc\0", 4));
    // Not in the middle of a surrogate pair.
    EXPECT_EQ(RtfReader::read(RtfBuilder::build(u"ab😀"), buffer.data(), buffer.size()), 3u);
    EXPECT_EQ(std::u16string(buffer.data()), u"ab");
    EXPECT_EQ(RtfReader::read("{\\rtf1 abc}", buffer.data(), 1), 1u);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(RtfReader::read("{\\rtf1 abc}", buffer.data(), 0), 0u);
}

std::string fileContents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(RtfReader, ReadsWhatAWordProcessorWrote)
{
    // Made by tests/data/rtf/make_fixtures.sh: each .rtf was saved from the .txt beside it.
    const std::string dir = SKINSMITH_TEST_DATA_DIR "/rtf/";
    for (const char* name : {"chinese", "japanese", "korean", "arabic", "hebrew", "thai",
                             "cyrillic", "greek", "latin", "lines", "mixed"}) {
        std::string expected = fileContents(dir + name + ".txt");
        ASSERT_FALSE(expected.empty()) << name;
        expected.pop_back(); // the final line feed
        EXPECT_EQ(platform::utf16ToUtf8(readOrFail(fileContents(dir + name + ".rtf"))), expected)
            << name;
    }
}

} // namespace

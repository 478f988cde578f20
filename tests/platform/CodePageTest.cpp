#include "platform/CodePage.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {
const std::string kFffd = "\xEF\xBF\xBD";
} // namespace

TEST(CodePage, Utf8AndUtf16RoundTripIncludingSurrogatePairs)
{
    const std::string text = "图片 ABC é \xF0\x9F\x98\x80";
    const std::u16string wide = utf8ToUtf16(text);
    EXPECT_EQ(wide, u"图片 ABC é \U0001F600");
    ASSERT_EQ(wide.size(), 11u);
    EXPECT_EQ(wide[9], 0xD83D);
    EXPECT_EQ(wide[10], 0xDE00);
    EXPECT_EQ(utf16ToUtf8(wide), text);
    EXPECT_TRUE(isValidUtf8(text));
}

TEST(CodePage, IllFormedInputBecomesReplacementCharacters)
{
    // Overlong form, surrogate, past U+10FFFF, stray trail byte, truncated sequences.
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));
    EXPECT_FALSE(isValidUtf8("a\x80"));
    EXPECT_FALSE(isValidUtf8("\xE4\xB8"));

    EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");
    EXPECT_EQ(utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
    // A broken sequence never swallows the ASCII after it.
    EXPECT_EQ(utf8ToUtf16("a\xF0\x9F\x98"
                          "b"),
              u"a\uFFFDb");
    EXPECT_EQ(utf8ToUtf16("\xE4\xB8"), u"\uFFFD");
    // Unpaired surrogates, high at the end and low alone.
    EXPECT_EQ(utf16ToUtf8(std::u16string{u'x', 0xD800}), "x" + kFffd);
    EXPECT_EQ(utf16ToUtf8(std::u16string{0xDC00, u'y'}), kFffd + "y");
}

TEST(CodePage, ChineseThroughCodePage936)
{
    const std::optional<EncodedText> gbk = utf8ToCodePage("中文 OK");
    ASSERT_TRUE(gbk);
    EXPECT_EQ(gbk->bytes, "\xD6\xD0\xCE\xC4 OK");
    EXPECT_FALSE(gbk->usedDefaultChar);
    EXPECT_EQ(codePageToUtf8(gbk->bytes), std::optional<std::string>("中文 OK"));
    EXPECT_EQ(codePageToUtf16(gbk->bytes), std::optional<std::u16string>(u"中文 OK"));
    EXPECT_EQ(utf16ToCodePage(u"中文 OK")->bytes, gbk->bytes);

    // A byte that forms no character, and a lead byte cut off at the end.
    EXPECT_EQ(codePageToUtf8("\xD6\xD0\xFF"
                             "a\xD6"),
              "中" + kFffd + "a" + kFffd);
}

TEST(CodePage, ArabicThroughCodePage1256)
{
    const std::string arabic = "مرحبا";
    const std::optional<EncodedText> encoded = utf8ToCodePage(arabic, 1256);
    ASSERT_TRUE(encoded);
    EXPECT_EQ(encoded->bytes, "\xE3\xD1\xCD\xC8\xC7");
    EXPECT_EQ(codePageToUtf8(encoded->bytes, 1256), std::optional<std::string>(arabic));
}

TEST(CodePage, UnmappableCharactersGetTheDefaultCharacter)
{
    std::optional<EncodedText> latin = utf8ToCodePage("a中é", 1252);
    ASSERT_TRUE(latin);
    EXPECT_EQ(latin->bytes, "a?\xE9");
    EXPECT_TRUE(latin->usedDefaultChar);

    latin = utf16ToCodePage(u"x\U0001F600y", 1252, "_");
    EXPECT_EQ(latin->bytes, "x_y");
    EXPECT_TRUE(latin->usedDefaultChar);

    // Ill-formed input has no mapping either, except in UTF-8 itself.
    const std::optional<EncodedText> gbk = utf8ToCodePage("a\xFF", 936);
    EXPECT_EQ(gbk->bytes, "a?");
    EXPECT_TRUE(gbk->usedDefaultChar);
    const std::optional<EncodedText> utf8 = utf8ToCodePage("a\xFF", kUtf8CodePage);
    EXPECT_EQ(utf8->bytes, "a" + kFffd);
    EXPECT_FALSE(utf8->usedDefaultChar);
}

TEST(CodePage, SupportedCodePagesAndUnknownOnes)
{
    for (unsigned codePage :
         {936u, 950u, 932u, 949u, 1250u, 1252u, 1256u, 874u, 65001u, 54936u, 28591u}) {
        EXPECT_TRUE(isCodePageSupported(codePage)) << codePage;
    }
    EXPECT_FALSE(isCodePageSupported(4242));
    EXPECT_FALSE(codePageToUtf8("abc", 4242));
    EXPECT_FALSE(utf8ToCodePage("abc", 4242));
    // Big5, Shift-JIS and Korean round trips through their own code pages.
    EXPECT_EQ(codePageToUtf8(utf8ToCodePage("繁體", 950)->bytes, 950), "繁體");
    EXPECT_EQ(codePageToUtf8(utf8ToCodePage("日本語", 932)->bytes, 932), "日本語");
    EXPECT_EQ(codePageToUtf8(utf8ToCodePage("한국어", 949)->bytes, 949), "한국어");
}

TEST(CodePage, TextAsShownKeepsUtf8AndReadsTheRestAs936)
{
    EXPECT_EQ(textAsShown("图片.png"), "图片.png");
    EXPECT_EQ(textAsShown("\xD6\xD0\xCE\xC4.png"), "中文.png");
    EXPECT_EQ(textAsShown(""), "");
}

TEST(CodePage, LongTextCrossesConversionBuffers)
{
    std::string text;
    for (int i = 0; i < 5000; ++i) {
        text += "字a";
    }
    const std::optional<EncodedText> gbk = utf8ToCodePage(text);
    ASSERT_TRUE(gbk);
    EXPECT_EQ(gbk->bytes.size(), 15000u);
    EXPECT_EQ(codePageToUtf8(gbk->bytes), text);
}

#include "strings/RtfBuilder.h"
#include "strings/RtfClipboard.h"
#include "strings/RtfReader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kHeader(RtfBuilder::kHeader);

std::string document(const std::string& fonts, const std::string& body)
{
    return kHeader + "{\\fonttbl" + fonts + "}" + body + "}";
}

std::size_t count(const std::string& text, const std::string& piece)
{
    std::size_t n = 0;
    for (std::size_t pos = text.find(piece); pos != std::string::npos;
         pos = text.find(piece, pos + 1)) {
        ++n;
    }
    return n;
}

TEST(RtfBuilder, LatinThenChineseGetTwoFontsAndASwitchBeforeEach)
{
    EXPECT_EQ(
        RtfBuilder::build(u"A中B"),
        document("{\\f0\\froman\\fprq2\\fcharset0 Courier New;}{\\f1\\fnil\\fprq2\\fcharset134;}",
                 "\\f0\\fs20\\ltrch\\u65?\\f1\\fs20\\ltrch\\u20013?\\f0\\fs20\\ltrch\\u66?"));
}

TEST(RtfBuilder, ArabicAndHebrewRunRightToLeftAndKeepTheirFonts)
{
    // Arabic, a space (charset 0), Hebrew, then Arabic again: the Arabic font is reused.
    const std::string rtf = RtfBuilder::build(u"سل אב م");
    EXPECT_EQ(rtf, document("{\\f0\\froman\\fprq2\\fcharset178 Courier New;}"
                            "{\\f1\\froman\\fprq2\\fcharset0 Courier New;}"
                            "{\\f2\\froman\\fprq2\\fcharset177 Courier New;}",
                            "\\f0\\fs20\\rtlch\\u1587?\\u1604?\\f1\\fs20\\ltrch\\u32?"
                            "\\f2\\fs20\\rtlch\\u1488?\\u1489?\\f1\\fs20\\ltrch\\u32?"
                            "\\f0\\fs20\\rtlch\\u1605?"));
}

TEST(RtfBuilder, CodeUnitsAboveSignedRangeAreUnsigned)
{
    const std::string rtf = RtfBuilder::build(u"\u9FA5\uFFFF\U0001F600");
    EXPECT_NE(rtf.find("\\u40869?"), std::string::npos);
    EXPECT_NE(rtf.find("\\u65535?"), std::string::npos);
    EXPECT_NE(rtf.find("\\u55357?\\u56832?"), std::string::npos);
    EXPECT_EQ(rtf.find('-'), std::string::npos);
}

TEST(RtfBuilder, EveryScriptGetsItsOwnFontInOrderOfFirstUse)
{
    // Thai, Cyrillic, hangul, kana, bopomofo, Hebrew presentation form, Arabic form, Latin.
    const std::string rtf = RtfBuilder::build(u"\u0E01\u0416\uAC00\u3042\u3105\uFB2A\uFEFCx\u0E01");
    EXPECT_NE(rtf.find("{\\f0\\froman\\fprq2\\fcharset222 Angsana New;}"
                       "{\\f1\\froman\\fprq2\\fcharset204 Courier New;}"
                       "{\\f2\\fnil\\fprq2\\fcharset129;}{\\f3\\fnil\\fprq2\\fcharset128;}"
                       "{\\f4\\fnil\\fprq2\\fcharset134;}"
                       "{\\f5\\froman\\fprq2\\fcharset177 Courier New;}"
                       "{\\f6\\froman\\fprq2\\fcharset178 Courier New;}"
                       "{\\f7\\froman\\fprq2\\fcharset0 Courier New;}}"),
              std::string::npos);
    EXPECT_EQ(count(rtf, "\\fcharset"), 8u);
    EXPECT_EQ(count(rtf, "\\rtlch"), 2u);
    EXPECT_EQ(count(rtf, "\\fs20"), 9u); // the last Thai letter switches back to font 0
}

TEST(RtfBuilder, EmptyTextIsAnEmptyDocument)
{
    EXPECT_EQ(RtfBuilder::build(u""), kHeader + "{\\fonttbl}}");
    EXPECT_EQ(RtfReader::read(RtfBuilder::build(u"")), std::u16string());
}

TEST(RtfClipboard, CopyOffersBothFormsAndPastePrefersRtf)
{
    const std::u16string text = u"Menu 菜单 メニュー";
    const RtfClipboard::Copied copied = RtfClipboard::copy(text);
    EXPECT_EQ(copied.plainText, text);
    EXPECT_EQ(copied.rtf, RtfBuilder::build(text));

    EXPECT_EQ(RtfClipboard::paste(copied.rtf, u"other"), text);
    EXPECT_EQ(RtfClipboard::paste(std::string("plain words"), u"plain"), u"plain");
    EXPECT_EQ(RtfClipboard::paste(std::nullopt, u"plain"), u"plain");
    EXPECT_EQ(RtfClipboard::textOfRtf("not rtf"), std::nullopt);

    // A pasted text is not cut to the panels' buffer.
    const std::u16string longText(1000, u'字');
    EXPECT_EQ(RtfClipboard::textOfRtf(RtfBuilder::build(longText)), longText);
}

} // namespace

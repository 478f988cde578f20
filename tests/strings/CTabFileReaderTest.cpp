#include "strings/CTabFileReader.h"

#include "platform/ScriptedInteraction.h"

#include "ScratchFiles.h"

namespace {

using Narrow = std::vector<std::string>;
using Wide = std::vector<std::u16string>;

class TabFileReader : public ScratchFiles
{
};

TEST_F(TabFileReader, SplitsUtf16LinesIntoTrimmedNarrowAndFullWideCells)
{
    const std::u16string text = u"ResID\tCheck\tEnglish\t中文\r\n"
                                u" IDS_OK \t\tOK\t 确定\r\n"
                                u"\r\n"
                                u"IDS_X\t\t\t";
    CTabFileReader reader;
    ASSERT_TRUE(reader.OpenWithMessage(write("tmp.csv", "\xFF\xFE" + utf16le(text))));

    ASSERT_TRUE(reader.ReadLine());
    EXPECT_EQ(reader.NarrowCells(), (Narrow{"ResID", "Check", "English", "中文"}));
    EXPECT_EQ(reader.WideCells(), (Wide{u"ResID", u"Check", u"English", u"中文"}));

    ASSERT_TRUE(reader.ReadLine());
    EXPECT_EQ(reader.NarrowCells(), (Narrow{"IDS_OK", "OK", "确定"}));
    EXPECT_EQ(reader.WideCells(), (Wide{u" IDS_OK ", u"", u"OK", u" 确定"}));

    ASSERT_TRUE(reader.ReadLine());
    EXPECT_EQ(reader.NarrowCells(), Narrow{});
    EXPECT_EQ(reader.WideCells(), Wide{u""});

    ASSERT_TRUE(reader.ReadLine());
    EXPECT_EQ(reader.NarrowCells(), Narrow{"IDS_X"});
    EXPECT_EQ(reader.WideCells(), (Wide{u"IDS_X", u"", u"", u""}));

    EXPECT_FALSE(reader.ReadLine());
    EXPECT_TRUE(reader.NarrowCells().empty());
    EXPECT_TRUE(reader.WideCells().empty());
}

TEST_F(TabFileReader, WideCellsOfCodePageFile)
{
    CTabFileReader reader;
    reader.SetCodePage(936);
    ASSERT_TRUE(reader.OpenWithMessage(write("gbk.csv", "A\t\xD6\xD0\xCE\xC4\r\n")));
    ASSERT_TRUE(reader.ReadLine());
    EXPECT_EQ(reader.NarrowCells(), (Narrow{"A", "中文"}));
    EXPECT_EQ(reader.WideCells(), (Wide{u"A", u"中文"}));
}

TEST_F(TabFileReader, CountLinesRewinds)
{
    CTabFileReader reader;
    ASSERT_TRUE(reader.OpenWithMessage(write("n.csv", "\xFF\xFE" + utf16le(u"a\r\nb\r\nc"))));
    ASSERT_TRUE(reader.ReadLine());
    EXPECT_EQ(reader.CountLines(), 3);
    EXPECT_EQ(reader.GetPosition(), 0);
    ASSERT_TRUE(reader.ReadLine());
    EXPECT_EQ(reader.WideCells(), Wide{u"a"});
}

TEST_F(TabFileReader, OpenFailureShowsPathAndErrorCode)
{
    platform::ScriptedInteraction scripted;
    platform::ScopedInteraction scope(scripted);
    CTabFileReader reader;
    const std::string path = pathOf("missing.csv");
    EXPECT_FALSE(reader.OpenWithMessage(path));
    EXPECT_EQ(scripted.messages(), Narrow{"打开文件失败" + path + "失败，错误代码：2"});
    EXPECT_FALSE(reader.ReadLine());
}

} // namespace

#include "strings/CStdioFileEx.h"

#include "ScratchFiles.h"

#include <cerrno>
#include <vector>

namespace {

class StdioFileEx : public ScratchFiles
{
protected:
    // Returns every line that ReadString hands out for `bytes` read in `codePage`.
    std::vector<std::string> linesOf(const std::string& bytes, int codePage = -1,
                                     std::uint32_t flags = CStdioFileEx::modeRead)
    {
        CStdioFileEx file;
        file.SetCodePage(codePage);
        EXPECT_TRUE(file.Open(write("in.txt", bytes), flags | CStdioFileEx::typeText));
        std::vector<std::string> lines;
        std::string line = "stale";
        while (file.ReadString(line)) {
            lines.push_back(line);
        }
        EXPECT_EQ(line, "");
        return lines;
    }
    using Lines = std::vector<std::string>;
};

const std::string kGbkZhongWen = "\xD6\xD0\xCE\xC4"; // 中文 in code page 936

TEST_F(StdioFileEx, WritesUtf16WithOneByteOrderMarkAndReadsItBack)
{
    const std::string path = pathOf("out.txt");
    {
        CStdioFileEx file;
        ASSERT_TRUE(file.Open(path, CStdioFileEx::modeCreate | CStdioFileEx::modeWrite |
                                        CStdioFileEx::modeWriteUnicode));
        EXPECT_TRUE(file.IsWide());
        EXPECT_TRUE(file.WriteString("ResID\t中文\r\n"));
        EXPECT_TRUE(file.WriteString("😀 العربية\r\n"));
    }
    {
        // Appending to the now non-empty file adds no second mark.
        CStdioFileEx file;
        ASSERT_TRUE(file.Open(path, CStdioFileEx::modeCreate | CStdioFileEx::modeNoTruncate |
                                        CStdioFileEx::modeWrite | CStdioFileEx::modeWriteUnicode));
        file.Seek(0, CStdioFileEx::end);
        EXPECT_TRUE(file.WriteString("end"));
    }
    EXPECT_EQ(read("out.txt"), "\xFF\xFE" + utf16le(u"ResID\t中文\r\n😀 العربية\r\nend"));

    CStdioFileEx file;
    ASSERT_TRUE(file.Open(path, CStdioFileEx::modeRead));
    EXPECT_TRUE(file.IsWide()); // recognised by its mark
    EXPECT_EQ(file.GetOpenFlags(), static_cast<std::uint32_t>(CStdioFileEx::typeBinary));
    std::string line;
    EXPECT_TRUE(file.IsFirstLine());
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_FALSE(file.IsFirstLine());
    EXPECT_EQ(line, "ResID\t中文");
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "😀 العربية");
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "end");
    EXPECT_FALSE(file.ReadString(line));
}

TEST_F(StdioFileEx, ReadsTheThreeEncodings)
{
    EXPECT_EQ(linesOf("ResID\t中文\nOK\n"), (Lines{"ResID\t中文", "OK"}));
    EXPECT_EQ(linesOf(kGbkZhongWen + "\r\nA\r\n", 936), (Lines{"中文", "A"}));
    EXPECT_EQ(linesOf("\xEF\xBB\xBF中文\nB", 65001), (Lines{"中文", "B"}));
    EXPECT_EQ(linesOf("\xFF\xFE" + utf16le(u"中文\r\nC\r\n")), (Lines{"中文", "C"}));
    // A UTF-16 file read into code page 936 narrow lines.
    EXPECT_EQ(linesOf("\xFF\xFE" + utf16le(u"中文ع\n"), 936), (Lines{kGbkZhongWen + "#"}));
}

TEST_F(StdioFileEx, SkipsOnlyARealByteOrderMark)
{
    // Without a mark nothing at the start of the file is lost.
    EXPECT_EQ(linesOf("abcdef\nxyz", 65001), (Lines{"abcdef", "xyz"}));
    EXPECT_EQ(linesOf("ab", 65001), (Lines{"ab"}));
    EXPECT_EQ(linesOf(utf16le(u"ab\ncd"), -1, CStdioFileEx::modeWriteUnicode), (Lines{"ab", "cd"}));
    // The process code page is UTF-8 too, so its mark goes as well, but only at the start.
    EXPECT_EQ(linesOf("\xEF\xBB\xBFx\n\xEF\xBB\xBFy"), (Lines{"x", "\xEF\xBB\xBFy"}));
}

TEST_F(StdioFileEx, DropsLineFeedAndOneCarriageReturn)
{
    EXPECT_EQ(linesOf("a\r\nb\rc\n\r\r\n\nlast"), (Lines{"a", "b\rc", "\r", "", "last"}));
    EXPECT_EQ(linesOf(""), Lines{});
    EXPECT_EQ(linesOf("\xFF\xFE" + utf16le(u"a\r\n\r\r\nb\r")), (Lines{"a", "\r", "b"}));
    // An odd last byte of a UTF-16 file is no character.
    EXPECT_EQ(linesOf("\xFF\xFE" + utf16le(u"a\n") + "x"), (Lines{"a"}));
}

TEST_F(StdioFileEx, ReadsLinesOfAnyLength)
{
    std::string longLine;
    for (int i = 0; i < 30000; ++i) {
        longLine += i % 7 == 0 ? "中" : "x";
    }
    EXPECT_EQ(linesOf(longLine + "\n" + longLine), (Lines{longLine, longLine}));

    std::u16string wide(70000, u'字');
    wide[4095] = u'a';
    wide[4096] = u'b';
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(write("w.txt", "\xFF\xFE" + utf16le(wide + u"\r\n")), 0));
    std::u16string back;
    ASSERT_TRUE(file.ReadWideString(back));
    EXPECT_EQ(back, wide);
}

TEST_F(StdioFileEx, PeekLeavesThePosition)
{
    CStdioFileEx file;
    file.SetCodePage(65001);
    ASSERT_TRUE(file.Open(write("p.txt", "\xEF\xBB\xBFone\ntwo\n"), 0));
    std::string line;
    ASSERT_TRUE(file.ReadString(line, true));
    EXPECT_EQ(line, "one");
    EXPECT_EQ(file.GetPosition(), 0);
    ASSERT_TRUE(file.ReadString(line, true));
    EXPECT_EQ(line, "one");
    ASSERT_TRUE(file.ReadString(line));
    ASSERT_TRUE(file.ReadString(line, true));
    EXPECT_EQ(line, "two");
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "two");
    EXPECT_FALSE(file.ReadString(line, true));
}

TEST_F(StdioFileEx, WritesNarrowTextInTheFilesCodePage)
{
    CStdioFileEx file;
    file.SetCodePage(936);
    ASSERT_TRUE(file.Open(pathOf("gbk.txt"), CStdioFileEx::modeCreate | CStdioFileEx::modeWrite));
    EXPECT_TRUE(file.WriteString("中文ع!\r\n"));
    file.SetDefaultChar('?');
    EXPECT_TRUE(file.WriteString("ع"));
    file.Close();
    // No mark for a code-page file; what 936 lacks becomes the default character.
    EXPECT_EQ(read("gbk.txt"), kGbkZhongWen + "#!\r\n?");

    CStdioFileEx utf8;
    utf8.SetCodePage(65001);
    ASSERT_TRUE(utf8.Open(pathOf("u8.txt"), CStdioFileEx::modeCreate | CStdioFileEx::modeWrite));
    EXPECT_TRUE(utf8.WriteString("中\n"));
    EXPECT_TRUE(utf8.WriteString("b"));
    utf8.Close();
    EXPECT_EQ(read("u8.txt"), "\xEF\xBB\xBF中\nb");

    CStdioFileEx plain;
    plain.SetWriteBom(false);
    plain.SetCodePage(65001);
    ASSERT_TRUE(
        plain.Open(pathOf("plain.txt"), CStdioFileEx::modeCreate | CStdioFileEx::modeWrite));
    EXPECT_TRUE(plain.WriteString(kGbkZhongWen)); // kept byte for byte
    plain.Close();
    EXPECT_EQ(read("plain.txt"), kGbkZhongWen);
}

TEST_F(StdioFileEx, UndecodableBytesAndUnknownCodePages)
{
    // 0xFF never starts a character in code page 936: the rest of the line survives.
    EXPECT_EQ(linesOf("ok\n\xFFx\nnext\n", 936), (Lines{"ok", "\uFFFDx", "next"}));
    // A code page the system cannot convert reads as empty lines and writes nothing.
    EXPECT_EQ(linesOf("a\nb", 77777), (Lines{"", ""}));
    CStdioFileEx file;
    file.SetCodePage(77777);
    ASSERT_TRUE(file.Open(pathOf("x.txt"), CStdioFileEx::modeCreate | CStdioFileEx::modeWrite));
    EXPECT_FALSE(file.WriteString("a"));
    EXPECT_EQ(file.GetLength(), 0);
}

// Asking the length between reads and writes changes neither what is read nor where; a
// file being written counts what is still buffered.
TEST_F(StdioFileEx, LengthBetweenReadsAndWrites)
{
    CStdioFileEx reader;
    ASSERT_TRUE(reader.Open(write("r.txt", "one\r\ntwo\nthree"), CStdioFileEx::modeRead));
    std::string line;
    Lines lines;
    std::vector<std::int64_t> positions;
    while (reader.GetLength() == 14 && reader.ReadString(line)) {
        lines.push_back(line);
        positions.push_back(reader.GetPosition());
    }
    EXPECT_EQ(lines, (Lines{"one", "two", "three"}));
    EXPECT_EQ(positions, (std::vector<std::int64_t>{5, 9, 14}));

    CStdioFileEx writer;
    writer.SetCodePage(65001);
    ASSERT_TRUE(
        writer.Open(pathOf("w.txt"), CStdioFileEx::modeCreate | CStdioFileEx::modeReadWrite));
    EXPECT_EQ(writer.GetLength(), 0);
    EXPECT_TRUE(writer.WriteString("ab\n"));
    EXPECT_EQ(writer.GetLength(), 6);
    EXPECT_TRUE(writer.WriteString("c"));
    EXPECT_EQ(writer.GetLength(), 7);
    EXPECT_EQ(writer.Seek(0, CStdioFileEx::begin), 0);
    ASSERT_TRUE(writer.ReadString(line));
    EXPECT_EQ(line, "ab");
    writer.Close();
    EXPECT_EQ(read("w.txt"), "\xEF\xBB\xBF"
                             "ab\nc");
}

TEST_F(StdioFileEx, PlainReadAndFailures)
{
    CStdioFileEx file;
    int error = 0;
    EXPECT_FALSE(file.Open(pathOf("missing.txt"), CStdioFileEx::modeRead, &error));
    EXPECT_EQ(error, ENOENT);
    std::string line;
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_FALSE(file.WriteString("x"));
    EXPECT_FALSE(file.SetFilePath(""));
    EXPECT_TRUE(file.SetFilePath("/tmp/a.txt"));
    EXPECT_EQ(file.GetFilePath(), "/tmp/a.txt");

    ASSERT_TRUE(file.Open(write("raw.txt", "\xFF\xFEx\nrest"), CStdioFileEx::modeRead, &error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(file.GetLength(), 8);
    char buffer[16];
    ASSERT_NE(file.ReadString(buffer, sizeof buffer), nullptr);
    EXPECT_STREQ(buffer, "\xFF\xFEx\n");
    ASSERT_NE(file.ReadString(buffer, 3), nullptr);
    EXPECT_STREQ(buffer, "re");
    EXPECT_EQ(file.Seek(-1, CStdioFileEx::end), 7);
    ASSERT_NE(file.ReadString(buffer, sizeof buffer), nullptr);
    EXPECT_STREQ(buffer, "t");
    EXPECT_EQ(file.ReadString(buffer, sizeof buffer), nullptr);
}

} // namespace

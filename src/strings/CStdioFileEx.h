#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// A line-oriented text file in one of three encodings: narrow text in a code page
// (the process code page, UTF-8 on this platform, unless another is set), UTF-8 with
// or without a byte-order mark (code page 65001), and UTF-16 LE (opened with
// modeWriteUnicode or recognised by its FF FE mark). Callers always see narrow
// UTF-8 / code-page lines; the class converts on the way in and out.
class CStdioFileEx
{
public:
    enum OpenFlags : std::uint32_t
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
        modeWriteUnicode = 0x200000, // the file is UTF-16 LE
    };
    enum SeekPosition
    {
        begin = SEEK_SET,
        current = SEEK_CUR,
        end = SEEK_END
    };

    static constexpr int kProcessCodePage = -1;
    static constexpr int kUtf8CodePage = 65001;

    CStdioFileEx() = default;
    virtual ~CStdioFileEx();
    CStdioFileEx(const CStdioFileEx&) = delete;
    CStdioFileEx& operator=(const CStdioFileEx&) = delete;

    // Opens `path` with `flags` (OpenFlags). Text mode is always replaced by binary.
    // A file opened for reading is UTF-16 when it starts with FF FE. Returns false on
    // failure with the system error code in `*error` (when given).
    bool Open(const std::string& path, std::uint32_t flags, int* error = nullptr);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }

    // Reads the next line into `text` without its line feed and one trailing carriage
    // return, converted to the narrow code page. With `peek` the position is left
    // where it was. Returns false (and an empty text) at the end of the file. A line
    // that cannot be converted comes back empty.
    bool ReadString(std::string& text, bool peek = false);
    // Reads the next line as UTF-16, converted from the file's encoding, without its
    // line feed and one trailing carriage return. Returns false at the end of the file.
    bool ReadWideString(std::u16string& text, bool peek = false);
    // The plain byte read: at most size - 1 bytes up to and including a line feed,
    // zero-terminated, no conversion. Returns `buffer`, or null at the end of the file.
    char* ReadString(char* buffer, unsigned size);

    // Writes `text` (narrow, code page) in the file's encoding; an empty file first
    // gets the byte-order mark of its encoding when SetWriteBom is on. Returns false
    // when the write fails.
    bool WriteString(const std::string& text);

    // Returns the new position, or -1 when the seek fails.
    std::int64_t Seek(std::int64_t offset, SeekPosition from);
    std::int64_t GetPosition() const;
    // Returns the file's size in bytes, or -1 when it is not open. A file opened only for
    // reading reports the size it had when it was opened.
    std::int64_t GetLength() const;

    // Stores the path that GetFilePath returns. Returns false for an empty path.
    bool SetFilePath(const std::string& path);
    const std::string& GetFilePath() const { return m_path; }

    // Code page of the file's narrow text: kProcessCodePage (or 0), kUtf8CodePage or
    // another code page that the platform converts (936, 1252, ...). Lines in a code
    // page it does not know read as empty texts and cannot be written.
    void SetCodePage(int codePage) { m_codePage = codePage; }
    int GetCodePage() const { return m_codePage; }
    // Written for a character that the file's code page cannot hold.
    void SetDefaultChar(char c) { m_defaultChar = c; }
    char GetDefaultChar() const { return m_defaultChar; }
    void SetWriteBom(bool on) { m_writeBom = on; }
    bool IsWide() const { return m_wide; }
    std::uint32_t GetOpenFlags() const { return m_openFlags; }
    // True until the first line has been read.
    bool IsFirstLine() const { return m_firstLine; }

private:
    enum class LastAccess
    {
        None,
        Read,
        Write
    };

    // The process code page is UTF-8 on this platform, so only other pages convert.
    bool narrowIsUtf8() const { return m_codePage <= 0 || m_codePage == kUtf8CodePage; }
    unsigned codePageNumber() const { return static_cast<unsigned>(m_codePage); }
    bool writable() const { return (m_openFlags & (modeWrite | modeReadWrite)) != 0; }
    void prepare(LastAccess access);
    // Reads the next line, as the file stores it, into m_wideLine or m_narrowLine; with
    // `peek` the position is put back. Returns false at the end of the file.
    bool readLine(bool peek);
    // Stores the line readLine read in `text`, without one trailing carriage return, as
    // UTF-16 or as narrow text.
    void wideText(std::u16string& text);
    void narrowText(std::string& text) const;
    void skipByteOrderMark();
    bool readNarrowLine(std::string& line);
    bool readWideLine(std::u16string& line);
    bool writeBytes(const std::string& bytes);
    bool fileIsEmpty();
    std::int64_t fileSize() const;

    bool m_wide = false;
    std::uint32_t m_openFlags = 0;
    int m_codePage = kProcessCodePage;
    char m_defaultChar = '#';
    bool m_writeBom = true;
    std::u16string m_wideLine; // the last wide line read
    std::string m_narrowLine;  // the last narrow line read, before conversion
    bool m_firstLine = true;
    bool m_hasContent = false;      // the file is known to hold bytes
    std::int64_t m_readLength = -1; // the length of a file opened only for reading

    std::FILE* m_file = nullptr;
    std::string m_path;
    LastAccess m_lastAccess = LastAccess::None;
};

#include "strings/CStdioFileEx.h"

#include "platform/CodePage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

std::string toUtf16Le(const std::u16string& units)
{
    std::string bytes(units.size() * 2, '\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        bytes[2 * i] = static_cast<char>(units[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(units[i] >> 8);
    }
    return bytes;
}

void dropCarriageReturn(std::string& line)
{
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
}

void dropCarriageReturn(std::u16string& line)
{
    if (!line.empty() && line.back() == u'\r') {
        line.pop_back();
    }
}

} // namespace

CStdioFileEx::~CStdioFileEx()
{
    Close();
}

bool CStdioFileEx::Open(const std::string& path, std::uint32_t flags, int* error)
{
    Close();
    m_openFlags = (flags & ~static_cast<std::uint32_t>(typeText)) | typeBinary;
    int access = O_RDONLY;
    const char* mode = "rb";
    if (flags & modeReadWrite) {
        access = O_RDWR;
        mode = "r+b";
    } else if (flags & modeWrite) {
        access = O_WRONLY;
        mode = "wb";
    }
    if (flags & modeCreate) {
        access |= O_CREAT | ((flags & modeNoTruncate) ? 0 : O_TRUNC);
    }
    const int fd = ::open(path.c_str(), access | O_CLOEXEC, 0666);
    if (fd >= 0) {
        m_file = fdopen(fd, mode);
        if (m_file == nullptr) {
            const int saved = errno;
            ::close(fd);
            errno = saved;
        }
    }
    if (error != nullptr) {
        *error = m_file != nullptr ? 0 : errno;
    }
    if (m_file == nullptr) {
        return false;
    }
    m_path = path;
    m_lastAccess = LastAccess::None;
    m_firstLine = true;
    m_hasContent = false;
    // Flushing a read stream to ask its length would throw away the read buffer and make
    // every later position query a system call: a file only read keeps the length it had.
    m_readLength = writable() ? -1 : fileSize();
    m_wide = (flags & modeWriteUnicode) != 0;
    if (!(flags & (modeWrite | modeCreate))) {
        unsigned char mark[2] = {0, 0};
        if (std::fread(mark, 1, 2, m_file) == 2 && mark[0] == 0xFF && mark[1] == 0xFE) {
            m_wide = true;
        }
        Seek(0, begin);
    }
    return true;
}

void CStdioFileEx::Close()
{
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

void CStdioFileEx::prepare(LastAccess access)
{
    // C streams need a positioning call between a read and a write.
    if (m_lastAccess != LastAccess::None && m_lastAccess != access) {
        std::fseek(m_file, 0, SEEK_CUR);
    }
    m_lastAccess = access;
}

void CStdioFileEx::skipByteOrderMark()
{
    if (GetPosition() != 0 || (!m_wide && !narrowIsUtf8())) {
        return;
    }
    // Only a real mark is skipped: a file without one keeps its first bytes. The
    // process code page is UTF-8 here, so its files may carry the UTF-8 mark too.
    const std::string mark = m_wide ? "\xFF\xFE" : "\xEF\xBB\xBF";
    std::string start(mark.size(), '\0');
    const std::size_t got = std::fread(start.data(), 1, start.size(), m_file);
    if (got != mark.size() || start != mark) {
        Seek(0, begin);
    }
}

bool CStdioFileEx::readNarrowLine(std::string& line)
{
    line.clear();
    int c = 0;
    bool any = false;
    while ((c = std::getc(m_file)) != EOF) {
        any = true;
        if (c == '\n') {
            break;
        }
        line += static_cast<char>(c);
    }
    return any;
}

bool CStdioFileEx::readWideLine(std::u16string& line)
{
    line.clear();
    bool any = false;
    for (;;) {
        const int low = std::getc(m_file);
        const int high = low == EOF ? EOF : std::getc(m_file);
        if (high == EOF) {
            break; // a lone last byte is no character
        }
        any = true;
        const auto unit = static_cast<char16_t>(low | high << 8);
        if (unit == u'\n') {
            break;
        }
        line += unit;
    }
    return any;
}

bool CStdioFileEx::readLine(bool peek)
{
    if (m_file == nullptr) {
        return false;
    }
    prepare(LastAccess::Read);
    const std::int64_t start = GetPosition();
    skipByteOrderMark();
    const bool read = m_wide ? readWideLine(m_wideLine) : readNarrowLine(m_narrowLine);
    if (read) {
        m_firstLine = false;
    }
    if (peek) {
        Seek(start, begin);
    }
    return read;
}

void CStdioFileEx::wideText(std::u16string& text)
{
    if (m_wide) {
        dropCarriageReturn(m_wideLine);
        text = m_wideLine;
        return;
    }
    dropCarriageReturn(m_narrowLine);
    if (narrowIsUtf8()) {
        text = platform::utf8ToUtf16(platform::textAsShown(m_narrowLine));
    } else {
        text = platform::codePageToUtf16(m_narrowLine, codePageNumber()).value_or(u"");
    }
}

void CStdioFileEx::narrowText(std::string& text) const
{
    if (m_wide) {
        text = narrowIsUtf8() ? platform::utf16ToUtf8(m_wideLine)
                              : platform::utf16ToCodePage(m_wideLine, codePageNumber(),
                                                          std::string(1, m_defaultChar))
                                    .value_or(platform::EncodedText{})
                                    .bytes;
    } else if (narrowIsUtf8()) {
        text = m_narrowLine;
    } else {
        // Lines in another code page are handed out in the process code page, UTF-8.
        text = platform::codePageToUtf8(m_narrowLine, codePageNumber()).value_or("");
    }
    dropCarriageReturn(text);
}

bool CStdioFileEx::ReadWideString(std::u16string& text, bool peek)
{
    text.clear();
    const bool read = readLine(peek);
    if (read) {
        wideText(text);
    }
    return read;
}

bool CStdioFileEx::ReadString(std::string& text, bool peek)
{
    text.clear();
    const bool read = readLine(peek);
    if (read) {
        narrowText(text);
    }
    return read;
}

char* CStdioFileEx::ReadString(char* buffer, unsigned size)
{
    if (m_file == nullptr || buffer == nullptr || size == 0) {
        return nullptr;
    }
    prepare(LastAccess::Read);
    return std::fgets(buffer, static_cast<int>(size), m_file);
}

bool CStdioFileEx::fileIsEmpty()
{
    // Nothing here truncates a file: once it holds bytes, it keeps them, and the flush
    // that asking costs is paid once rather than for every line written.
    if (m_hasContent) {
        return false;
    }
    std::fflush(m_file);
    struct stat info;
    if (fstat(fileno(m_file), &info) != 0) {
        return false;
    }
    m_hasContent = info.st_size > 0;
    return !m_hasContent;
}

bool CStdioFileEx::writeBytes(const std::string& bytes)
{
    prepare(LastAccess::Write);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), m_file) == bytes.size();
    m_hasContent = m_hasContent || (written && !bytes.empty());
    return written;
}

bool CStdioFileEx::WriteString(const std::string& text)
{
    if (m_file == nullptr) {
        return false;
    }
    std::string bytes;
    if (m_wide) {
        // Text in memory is UTF-8, but older texts may still hold code page 936 bytes.
        const auto wide = narrowIsUtf8() ? platform::utf8ToUtf16(platform::textAsShown(text))
                                         : platform::codePageToUtf16(text, codePageNumber());
        if (!wide) {
            return false;
        }
        bytes = toUtf16Le(*wide);
    } else if (!narrowIsUtf8()) {
        const auto encoded = platform::utf8ToCodePage(platform::textAsShown(text), codePageNumber(),
                                                      std::string(1, m_defaultChar));
        if (!encoded) {
            return false;
        }
        bytes = encoded->bytes;
    } else {
        bytes = text;
    }
    if (m_writeBom && fileIsEmpty()) {
        const char* mark = m_wide ? "\xFF\xFE" : m_codePage == kUtf8CodePage ? "\xEF\xBB\xBF" : "";
        if (!writeBytes(mark)) {
            return false;
        }
    }
    return writeBytes(bytes);
}

std::int64_t CStdioFileEx::Seek(std::int64_t offset, SeekPosition from)
{
    if (m_file == nullptr || fseeko(m_file, static_cast<off_t>(offset), from) != 0) {
        return -1;
    }
    m_lastAccess = LastAccess::None;
    return GetPosition();
}

std::int64_t CStdioFileEx::GetPosition() const
{
    return m_file != nullptr ? static_cast<std::int64_t>(ftello(m_file)) : -1;
}

std::int64_t CStdioFileEx::GetLength() const
{
    if (m_file == nullptr) {
        return -1;
    }
    if (!writable()) {
        return m_readLength;
    }
    // Bytes still in the write buffer count.
    std::fflush(m_file);
    return fileSize();
}

std::int64_t CStdioFileEx::fileSize() const
{
    struct stat info;
    return fstat(fileno(m_file), &info) == 0 ? static_cast<std::int64_t>(info.st_size) : -1;
}

bool CStdioFileEx::SetFilePath(const std::string& path)
{
    if (path.empty()) {
        errno = EINVAL;
        return false;
    }
    m_path = path;
    return true;
}

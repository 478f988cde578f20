#include "strings/CStdioFileEx.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

// Code page conversion through iconv, kept private until the platform layer offers it.
class Converter
{
public:
    Converter(const std::string& to, const std::string& from)
        : m_cd(iconv_open(to.c_str(), from.c_str()))
    {
    }
    ~Converter()
    {
        if (valid()) {
            iconv_close(m_cd);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts from `*in` on, appending to `out`. Returns 0 when all input was
    // converted, else EILSEQ or EINVAL with `*in` / `*left` at the failing sequence.
    int run(const char** in, std::size_t* left, std::string& out)
    {
        char buffer[1024];
        while (*left > 0) {
            char* next = buffer;
            std::size_t room = sizeof buffer;
            const std::size_t rc = iconv(m_cd, const_cast<char**>(in), left, &next, &room);
            out.append(buffer, next);
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                return errno;
            }
        }
        char* next = buffer;
        std::size_t room = sizeof buffer;
        iconv(m_cd, nullptr, nullptr, &next, &room); // flush shift states
        out.append(buffer, next);
        return 0;
    }

private:
    iconv_t m_cd;
};

std::string iconvName(int codePage)
{
    if (codePage == CStdioFileEx::kProcessCodePage || codePage == CStdioFileEx::kUtf8CodePage) {
        return "UTF-8";
    }
    return "CP" + std::to_string(codePage);
}

std::u16string fromUtf16Le(const std::string& bytes)
{
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return units;
}

std::string toUtf16Le(const std::u16string& units)
{
    std::string bytes(units.size() * 2, '\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        bytes[2 * i] = static_cast<char>(units[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(units[i] >> 8);
    }
    return bytes;
}

// Returns false when `bytes` is not valid text in `codePage`.
bool decode(const std::string& bytes, int codePage, std::u16string& text)
{
    Converter converter("UTF-16LE", iconvName(codePage));
    std::string out;
    const char* in = bytes.data();
    std::size_t left = bytes.size();
    if (!converter.valid() || converter.run(&in, &left, out) != 0) {
        return false;
    }
    text = fromUtf16Le(out);
    return true;
}

// Text in memory is UTF-8, but older texts may still hold code page 936 bytes.
bool decodeMemoryText(const std::string& bytes, std::u16string& text)
{
    return decode(bytes, CStdioFileEx::kUtf8CodePage, text) || decode(bytes, 936, text);
}

// Returns `text` in `codePage`; characters it lacks become `defaultChar` (U+FFFD for
// UTF-8, which lacks none but unpaired surrogates). False when iconv lacks the page.
bool encode(const std::u16string& text, int codePage, char defaultChar, std::string& bytes)
{
    const std::string target = iconvName(codePage);
    Converter converter(target, "UTF-16LE");
    if (!converter.valid()) {
        return false;
    }
    const std::string units = toUtf16Le(text);
    const char* in = units.data();
    std::size_t left = units.size();
    bytes.clear();
    while (converter.run(&in, &left, bytes) != 0) {
        bytes += target == "UTF-8" ? std::string("\xEF\xBF\xBD") : std::string(1, defaultChar);
        const auto unit = [&](std::size_t k) {
            return static_cast<unsigned>(static_cast<unsigned char>(in[2 * k]) |
                                         static_cast<unsigned char>(in[2 * k + 1]) << 8);
        };
        const bool pair = left >= 4 && unit(0) >= 0xD800 && unit(0) < 0xDC00 && unit(1) >= 0xDC00 &&
                          unit(1) < 0xE000;
        const std::size_t skip = std::min<std::size_t>(left, pair ? 4 : 2);
        in += skip;
        left -= skip;
    }
    return true;
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
    const bool utf8 = m_codePage == kUtf8CodePage || m_codePage == kProcessCodePage;
    if (GetPosition() != 0 || (!m_wide && !utf8)) {
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

bool CStdioFileEx::ReadWideString(std::u16string& text, bool peek)
{
    text.clear();
    if (m_file == nullptr) {
        return false;
    }
    prepare(LastAccess::Read);
    const std::int64_t start = GetPosition();
    skipByteOrderMark();
    bool read = false;
    if (m_wide) {
        read = readWideLine(m_wideLine);
        dropCarriageReturn(m_wideLine);
        text = m_wideLine;
    } else if ((read = readNarrowLine(m_narrowLine))) {
        dropCarriageReturn(m_narrowLine);
        const bool ok = m_codePage == kProcessCodePage ? decodeMemoryText(m_narrowLine, text)
                                                       : decode(m_narrowLine, m_codePage, text);
        if (!ok) {
            text.clear();
        }
    }
    if (read) {
        m_firstLine = false;
    }
    if (peek) {
        Seek(start, begin);
    }
    return read;
}

bool CStdioFileEx::ReadString(std::string& text, bool peek)
{
    text.clear();
    if (m_file == nullptr) {
        return false;
    }
    prepare(LastAccess::Read);
    const std::int64_t start = GetPosition();
    skipByteOrderMark();
    bool read = false;
    if (m_wide) {
        read = readWideLine(m_wideLine);
        if (read && !encode(m_wideLine, m_codePage, m_defaultChar, text)) {
            text.clear();
        }
    } else if ((read = readNarrowLine(m_narrowLine))) {
        text = m_narrowLine;
        // Lines in another code page are handed out in the process code page, UTF-8.
        if (m_codePage != kProcessCodePage && m_codePage != kUtf8CodePage) {
            std::u16string wide;
            if (!decode(m_narrowLine, m_codePage, wide) ||
                !encode(wide, kUtf8CodePage, m_defaultChar, text)) {
                text.clear();
            }
        }
    }
    dropCarriageReturn(text);
    if (read) {
        m_firstLine = false;
    }
    if (peek) {
        Seek(start, begin);
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
    std::fflush(m_file);
    struct stat info;
    return fstat(fileno(m_file), &info) == 0 && info.st_size == 0;
}

bool CStdioFileEx::writeBytes(const std::string& bytes)
{
    prepare(LastAccess::Write);
    return std::fwrite(bytes.data(), 1, bytes.size(), m_file) == bytes.size();
}

bool CStdioFileEx::WriteString(const std::string& text)
{
    if (m_file == nullptr) {
        return false;
    }
    std::string bytes;
    if (m_wide) {
        std::u16string wide;
        const bool ok = m_codePage == kProcessCodePage || m_codePage == kUtf8CodePage
                            ? decodeMemoryText(text, wide)
                            : decode(text, m_codePage, wide);
        if (!ok) {
            return false;
        }
        bytes = toUtf16Le(wide);
    } else if (m_codePage > 0 && m_codePage != kUtf8CodePage) {
        std::u16string wide;
        if (!decodeMemoryText(text, wide) || !encode(wide, m_codePage, m_defaultChar, bytes)) {
            return false;
        }
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
    std::fflush(m_file);
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

#include "Utf16TextFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace xls2txt {
namespace {

// Returns the length of the UTF-8 sequence starting with `lead` and its payload
// bits, or 0 for a byte that cannot start one.
int sequenceLength(unsigned char lead, char32_t& bits)
{
    if (lead < 0x80) {
        bits = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead < 0xE0) {
        bits = lead & 0x1F;
        return 2;
    }
    if (lead >= 0xE0 && lead < 0xF0) {
        bits = lead & 0x0F;
        return 3;
    }
    if (lead >= 0xF0 && lead < 0xF5) {
        bits = lead & 0x07;
        return 4;
    }
    return 0;
}

bool validScalar(char32_t cp, int length)
{
    static const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    return cp >= smallest[length] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
}

} // namespace

std::u16string utf8ToUtf16(const std::string& text)
{
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t cp = 0;
        const int length = sequenceLength(static_cast<unsigned char>(text[i]), cp);
        int taken = 1;
        while (length > 1 && taken < length && i + taken < text.size() &&
               (static_cast<unsigned char>(text[i + taken]) & 0xC0) == 0x80) {
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + taken]) & 0x3F);
            ++taken;
        }
        if (length == 0 || taken != length || !validScalar(cp, length)) {
            out += u'\uFFFD';
            i += taken;
            continue;
        }
        i += taken;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

Utf16TextFile::Utf16TextFile(std::string target) : m_target(std::move(target)) {}

Utf16TextFile::~Utf16TextFile()
{
    if (m_file != nullptr) {
        std::fclose(m_file);
        std::remove(m_temporary.c_str());
    }
}

bool Utf16TextFile::fail(const std::string& what)
{
    m_error = what + ": " + std::strerror(errno);
    return false;
}

bool Utf16TextFile::open()
{
    std::string pattern = m_target + ".XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        return fail("cannot create a file beside \"" + m_target + "\"");
    }
    m_temporary = pattern;
    // mkstemp makes the file private; the output is an ordinary file.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    m_file = fdopen(fd, "wb");
    if (m_file == nullptr) {
        close(fd);
        std::remove(m_temporary.c_str());
        return fail("cannot write \"" + m_temporary + "\"");
    }
    return write(u"\uFEFF");
}

bool Utf16TextFile::write(const std::u16string& units)
{
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (const char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) {
        return fail("cannot write \"" + m_temporary + "\"");
    }
    return true;
}

bool Utf16TextFile::writeLine(const std::vector<std::string>& cells)
{
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) {
            line += '\t';
        }
        line += cells[i];
    }
    line += "\r\n";
    return write(utf8ToUtf16(line));
}

bool Utf16TextFile::commit()
{
    const bool flushed = std::fflush(m_file) == 0 && fsync(fileno(m_file)) == 0;
    const int closed = std::fclose(m_file);
    m_file = nullptr;
    if (!flushed || closed != 0) {
        fail("cannot write \"" + m_temporary + "\"");
        std::remove(m_temporary.c_str());
        return false;
    }
    if (std::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        fail("cannot replace \"" + m_target + "\"");
        std::remove(m_temporary.c_str());
        return false;
    }
    return true;
}

} // namespace xls2txt

#include "strings/RtfCharset.h"

#include "platform/CodePage.h"

#include <array>
#include <memory>
#include <mutex>
#include <vector>

namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr const char* kCourierNew = "Courier New";

bool within(char16_t unit, char16_t low, char16_t high)
{
    return unit >= low && unit <= high;
}

struct CharsetCodePage
{
    int charset;
    unsigned codePage;
};

// Font charsets and the Windows code pages of their bytes. Greek (161), Turkish (162) and
// Baltic (186) have code pages of their own, and Central European (238) is common in documents
// from word processors: reading them as Western European would turn their letters into others.
constexpr CharsetCodePage kCodePages[] = {
    {0, 1252},   {1, 1252},   {2, 1252},   {3, 1252},   {77, 1252},  {161, 1253},
    {162, 1254}, {186, 1257}, {254, 1252}, {255, 1252}, {222, 874},  {177, 1255},
    {181, 1255}, {178, 1256}, {179, 1256}, {180, 1256}, {204, 1251}, {163, 1258},
    {134, 936},  {136, 950},  {129, 949},  {130, 1361}, {128, 932},  {238, 1250},
};

bool isDoubleByte(unsigned codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 ||
           codePage == 1361;
}

bool isLead(unsigned codePage, std::uint8_t byte)
{
    switch (codePage) {
    case 932:
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950:
        return byte >= 0x81 && byte <= 0xFE;
    case 1361:
        return (byte >= 0x84 && byte <= 0xD3) || (byte >= 0xD8 && byte <= 0xDE) ||
               (byte >= 0xE0 && byte <= 0xF9);
    default:
        return false;
    }
}

// What one complete character of `bytes` in `codePage` is, or U+FFFD when the bytes are not
// exactly one character of the BMP.
char16_t convertOne(std::string_view bytes, unsigned codePage)
{
    const auto wide = platform::codePageToUtf16(bytes, codePage);
    return wide && wide->size() == 1 ? (*wide)[0] : kReplacement;
}

// The upper halves (bytes 0x80 to 0xFF) of the single-byte code pages, and the two-byte
// characters of the double-byte ones, built through iconv when a code page is first used.
// Each byte of a single-byte page is converted on its own, so that a code page that composes
// a base letter with a following accent (1258) still gives the code page's own table.
class CodePageTables
{
public:
    static CodePageTables& instance()
    {
        static CodePageTables tables;
        return tables;
    }

    char16_t singleByte(unsigned codePage, std::uint8_t byte)
    {
        if (byte < 0x80) {
            return byte;
        }
        const std::vector<char16_t>& table = tableOf(codePage);
        return isDoubleByte(codePage) ? table[byte] : table[byte - 0x80];
    }

    char16_t doubleByte(unsigned codePage, std::uint8_t lead, std::uint8_t trail)
    {
        const std::vector<char16_t>& table = tableOf(codePage);
        return table[lead * 256 + trail];
    }

private:
    const std::vector<char16_t>& tableOf(unsigned codePage)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const auto& entry : m_tables) {
            if (entry.first == codePage) {
                return *entry.second;
            }
        }
        auto table = std::make_unique<std::vector<char16_t>>(
            isDoubleByte(codePage) ? doubleByteTable(codePage) : singleByteTable(codePage));
        m_tables.emplace_back(codePage, std::move(table));
        return *m_tables.back().second;
    }

    static std::vector<char16_t> singleByteTable(unsigned codePage)
    {
        std::vector<char16_t> table(128, kReplacement);
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            table[byte - 0x80] = convertOne(std::string(1, static_cast<char>(byte)), codePage);
        }
        return table;
    }

    // Indexed by lead * 256 + trail; row 0 holds the bytes from 0x80 that stand alone. Each
    // pair is converted on its own: after a bad pair iconv may take the next byte with it, so
    // pairs in one string would shift against their places.
    static std::vector<char16_t> doubleByteTable(unsigned codePage)
    {
        std::vector<char16_t> table(256 * 256, kReplacement);
        for (int lead = 0x80; lead <= 0xFF; ++lead) {
            const auto leadByte = static_cast<char>(lead);
            if (!isLead(codePage, static_cast<std::uint8_t>(lead))) {
                table[lead] = convertOne(std::string(1, leadByte), codePage);
                continue;
            }
            for (int trail = 0x21; trail <= 0xFF; ++trail) {
                const char pair[2] = {leadByte, static_cast<char>(trail)};
                table[lead * 256 + trail] = convertOne(std::string_view(pair, 2), codePage);
            }
        }
        return table;
    }

    std::mutex m_mutex;
    std::vector<std::pair<unsigned, std::unique_ptr<std::vector<char16_t>>>> m_tables;
};

} // namespace

RtfCharset::Class RtfCharset::classOf(char16_t unit)
{
    if (within(unit, 0x4E00, 0x9FBF) || within(unit, 0x3400, 0x4DBF) ||
        within(unit, 0x3100, 0x31FF)) {
        return {134, false, nullptr};
    }
    if (within(unit, 0x3040, 0x30FF)) {
        return {128, false, nullptr};
    }
    if (within(unit, 0xAC00, 0xD7AF) || within(unit, 0x1100, 0x11FF)) {
        return {129, false, nullptr};
    }
    if (within(unit, 0x0600, 0x06FF) || within(unit, 0x0750, 0x077F) ||
        within(unit, 0xFB50, 0xFDFF) || within(unit, 0xFE70, 0xFEFF)) {
        return {178, true, kCourierNew};
    }
    if (within(unit, 0x0E00, 0x0E7F)) {
        return {222, false, "Angsana New"};
    }
    if (within(unit, 0x0590, 0x05FF) || within(unit, 0xFB00, 0xFB4F)) {
        return {177, true, kCourierNew};
    }
    if (within(unit, 0x0400, 0x052F)) {
        return {204, false, kCourierNew};
    }
    return {0, false, kCourierNew};
}

unsigned RtfCharset::codePageOf(int charset)
{
    for (const CharsetCodePage& entry : kCodePages) {
        if (entry.charset == charset) {
            return entry.codePage;
        }
    }
    return 0;
}

bool RtfCharset::isLeadByte(int charset, std::uint8_t byte)
{
    return isLead(codePageOf(charset), byte);
}

char16_t RtfCharset::codeUnit(int charset, std::string_view bytes)
{
    const unsigned codePage = codePageOf(charset);
    if (codePage == 0 || bytes.empty()) {
        return kNoCodeUnit;
    }
    const auto lead = static_cast<std::uint8_t>(bytes[0]);
    CodePageTables& tables = CodePageTables::instance();
    if (!isLead(codePage, lead)) {
        return bytes.size() == 1 ? tables.singleByte(codePage, lead) : kReplacement;
    }
    if (bytes.size() == 1) {
        return kNoCodeUnit;
    }
    if (bytes.size() > 2) {
        return kReplacement;
    }
    return tables.doubleByte(codePage, lead, static_cast<std::uint8_t>(bytes[1]));
}

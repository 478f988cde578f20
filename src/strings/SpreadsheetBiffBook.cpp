#include "strings/SpreadsheetBiffBook.h"

#include "platform/CodePage.h"
#include "strings/SpreadsheetCellText.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

constexpr std::uint16_t kBof = 0x0809;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kContinue = 0x003C;
constexpr std::uint16_t kFilePass = 0x002F;
constexpr std::uint16_t kDateMode = 0x0022;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kSharedStrings = 0x00FC;
constexpr std::uint16_t kFormat = 0x041E;
constexpr std::uint16_t kCellFormat = 0x00E0;
constexpr std::uint16_t kDimensions = 0x0200;
constexpr std::uint16_t kLabelShared = 0x00FD;
constexpr std::uint16_t kLabel = 0x0204;
constexpr std::uint16_t kRichLabel = 0x00D6;
constexpr std::uint16_t kNumber = 0x0203;
constexpr std::uint16_t kRk = 0x027E;
constexpr std::uint16_t kMultipleRk = 0x00BD;
constexpr std::uint16_t kFormula = 0x0006;
constexpr std::uint16_t kFormulaString = 0x0207;
constexpr std::uint16_t kBoolErr = 0x0205;
constexpr std::size_t kMaxRecord = 8224;
constexpr std::uint32_t kRows = 65536;
constexpr std::uint32_t kColumns = 256;

std::uint16_t u16(std::string_view bytes, std::size_t at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t u32(std::string_view bytes, std::size_t at)
{
    return u16(bytes, at) | static_cast<std::uint32_t>(u16(bytes, at + 2)) << 16;
}

double f64(std::string_view bytes, std::size_t at)
{
    double value = 0;
    std::uint64_t bits = u32(bytes, at) | std::uint64_t{u32(bytes, at + 4)} << 32;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double rkValue(std::uint32_t rk)
{
    double value = 0;
    if (rk & 2) {
        value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    } else {
        const std::uint64_t bits = std::uint64_t{rk & 0xFFFFFFFCu} << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    return (rk & 1) ? value / 100 : value;
}

// Reads through a record and its continuation records as one sequence of bytes, except
// that characters of a string restart in every piece with a flag byte giving their width.
class PieceReader
{
public:
    explicit PieceReader(std::vector<std::string_view> pieces) : m_pieces(std::move(pieces)) {}

    bool skip(std::size_t count)
    {
        while (count > 0) {
            if (!nextPieceIfDone()) {
                return false;
            }
            const std::size_t step = std::min(count, m_pieces[m_piece].size() - m_at);
            m_at += step;
            count -= step;
        }
        return true;
    }
    bool byte(std::uint8_t& value)
    {
        if (!nextPieceIfDone()) {
            return false;
        }
        value = static_cast<std::uint8_t>(m_pieces[m_piece][m_at++]);
        return true;
    }
    bool u16le(std::uint16_t& value)
    {
        std::uint8_t low = 0;
        std::uint8_t high = 0;
        const bool ok = byte(low) && byte(high);
        value = static_cast<std::uint16_t>(low | high << 8);
        return ok;
    }
    bool u32le(std::uint32_t& value)
    {
        std::uint16_t low = 0;
        std::uint16_t high = 0;
        const bool ok = u16le(low) && u16le(high);
        value = low | static_cast<std::uint32_t>(high) << 16;
        return ok;
    }
    // Appends `count` characters; `wide` is the string's own width flag.
    bool characters(std::size_t count, bool wide, std::u16string& out)
    {
        while (count > 0) {
            if (m_at == m_pieces[m_piece].size()) {
                std::uint8_t flags = 0;
                if (m_piece + 1 >= m_pieces.size()) {
                    return false;
                }
                ++m_piece;
                m_at = 0;
                if (!byte(flags) || (flags & 0xFE) != 0) {
                    return false;
                }
                wide = (flags & 1) != 0;
            }
            const std::string_view piece = m_pieces[m_piece];
            const std::size_t width = wide ? 2 : 1;
            const std::size_t fit = std::min(count, (piece.size() - m_at) / width);
            if (fit == 0) {
                return false; // half a character before the piece ends
            }
            for (std::size_t i = 0; i < fit; ++i, m_at += width) {
                out += wide ? static_cast<char16_t>(u16(piece, m_at))
                            : static_cast<char16_t>(static_cast<unsigned char>(piece[m_at]));
            }
            count -= fit;
        }
        return true;
    }
    // Reads one string with a 16-bit length, its flags and, when flagged, formatting
    // runs and phonetic data, which are skipped.
    bool string(std::u16string& out)
    {
        std::uint16_t count = 0;
        std::uint8_t flags = 0;
        std::uint16_t runs = 0;
        std::uint32_t extra = 0;
        if (!u16le(count) || !byte(flags) || (flags & 0xF2) != 0) {
            return false;
        }
        if (((flags & 0x08) && !u16le(runs)) || ((flags & 0x04) && !u32le(extra))) {
            return false;
        }
        out.clear();
        return characters(count, (flags & 1) != 0, out) && skip(std::size_t{runs} * 4) &&
               skip(extra);
    }
    bool atEnd() const
    {
        for (std::size_t i = m_piece; i < m_pieces.size(); ++i) {
            if ((i == m_piece ? m_pieces[i].size() - m_at : m_pieces[i].size()) != 0) {
                return false;
            }
        }
        return true;
    }

private:
    bool nextPieceIfDone()
    {
        while (m_at == m_pieces[m_piece].size()) {
            if (m_piece + 1 >= m_pieces.size()) {
                return false;
            }
            ++m_piece;
            m_at = 0;
        }
        return true;
    }

    std::vector<std::string_view> m_pieces;
    std::size_t m_piece = 0;
    std::size_t m_at = 0;
};

// Whether a number format shows a date, a time or both, or neither (nothing).
std::optional<strings::SerialShown> shownBy(std::uint16_t format, const std::string& code)
{
    if ((format >= 14 && format <= 17) || format == 22 || (format >= 18 && format <= 21) ||
        (format >= 45 && format <= 47)) {
        if (format == 22) {
            return strings::SerialShown::DateTime;
        }
        return format <= 17 ? strings::SerialShown::Date : strings::SerialShown::Time;
    }
    bool date = false;
    bool time = false;
    bool quoted = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = static_cast<char>(code[i] | 0x20);
        if (code[i] == '"') {
            quoted = !quoted;
        } else if (quoted) {
        } else if (code[i] == '\\' || code[i] == '_' || code[i] == '*') {
            ++i; // the next character is shown as it is
        } else if (code[i] == '[') {
            // Colours and conditions in brackets; elapsed hours "[h]" are a time.
            const std::size_t end = code.find(']', i);
            const std::string inside = code.substr(i + 1, end - i - 1);
            time = time || (!inside.empty() && (inside[0] | 0x20) == 'h');
            i = end == std::string::npos ? code.size() : end;
        } else if (c == 'y' || c == 'd') {
            date = true;
        } else if (c == 'h' || c == 's') {
            time = true;
        } else if (c == 'm') {
            date = date || !time;
        }
    }
    if (date && time) {
        return strings::SerialShown::DateTime;
    }
    if (date || time) {
        return date ? strings::SerialShown::Date : strings::SerialShown::Time;
    }
    return std::nullopt;
}

} // namespace

SpreadsheetBiffBook::Result SpreadsheetBiffBook::fail(const std::string& what)
{
    m_error = what;
    return Result::Failed;
}

bool SpreadsheetBiffBook::splitRecords(std::string_view stream)
{
    std::size_t at = 0;
    while (at + 4 <= stream.size()) {
        Record record;
        record.type = u16(stream, at);
        const std::size_t length = u16(stream, at + 2);
        if (length > kMaxRecord || at + 4 + length > stream.size()) {
            m_error = "the workbook is damaged: a record runs past the end of its stream";
            return false;
        }
        record.offset = at;
        record.data = stream.substr(at + 4, length);
        m_records.push_back(record);
        at += 4 + length;
    }
    return true;
}

std::vector<std::string_view> SpreadsheetBiffBook::continued(std::size_t first) const
{
    std::vector<std::string_view> pieces{m_records[first].data};
    for (std::size_t i = first + 1; i < m_records.size() && m_records[i].type == kContinue; ++i) {
        pieces.push_back(m_records[i].data);
    }
    return pieces;
}

bool SpreadsheetBiffBook::readSharedStrings(std::size_t first)
{
    PieceReader reader(continued(first));
    std::uint32_t total = 0;
    std::uint32_t unique = 0;
    if (!reader.u32le(total) || !reader.u32le(unique)) {
        m_error = "the workbook is damaged: its string table is cut short";
        return false;
    }
    std::u16string text;
    // Some writers count more strings than they write; the table ends with its records.
    while (m_shared.size() < unique && !reader.atEnd()) {
        if (!reader.string(text)) {
            m_error = "the workbook is damaged: string " + std::to_string(m_shared.size() + 1) +
                      " of its string table cannot be read";
            return false;
        }
        m_shared.push_back(platform::utf16ToUtf8(text));
    }
    return true;
}

bool SpreadsheetBiffBook::readGlobals(std::size_t& sheetOffset)
{
    bool haveSheet = false;
    for (std::size_t i = 1; i < m_records.size(); ++i) {
        const Record& record = m_records[i];
        const std::string_view data = record.data;
        switch (record.type) {
        case kEof:
            if (!haveSheet) {
                m_error = "the workbook has no worksheet";
                return false;
            }
            return true;
        case kBof:
            m_error = "the workbook is damaged: its global part has no end";
            return false;
        case kFilePass:
            m_error = "the workbook is password-protected";
            return false;
        case kDateMode:
            m_dates1904 = data.size() >= 2 && u16(data, 0) == 1;
            break;
        case kCellFormat:
            m_xfFormats.push_back(data.size() >= 4 ? u16(data, 2) : 0);
            break;
        case kFormat:
            if (data.size() >= 2) {
                PieceReader reader({data.substr(2)});
                std::uint16_t count = 0;
                std::uint8_t flags = 0;
                std::u16string code;
                if (reader.u16le(count) && reader.byte(flags) &&
                    reader.characters(count, (flags & 1) != 0, code)) {
                    m_formats.emplace_back(u16(data, 0), platform::utf16ToUtf8(code));
                }
            }
            break;
        case kBoundSheet:
            // The first entry that is a worksheet (not a chart or macro sheet).
            if (!haveSheet && data.size() >= 8 && static_cast<unsigned char>(data[5]) == 0) {
                haveSheet = true;
                sheetOffset = u32(data, 0);
                PieceReader reader({data.substr(6)});
                std::uint8_t count = 0;
                std::uint8_t flags = 0;
                std::u16string name;
                if (reader.byte(count) && reader.byte(flags) &&
                    reader.characters(count, (flags & 1) != 0, name)) {
                    m_sheetName = platform::utf16ToUtf8(name);
                }
            }
            break;
        case kSharedStrings:
            if (!readSharedStrings(i)) {
                return false;
            }
            break;
        default:
            break;
        }
    }
    m_error = "the workbook is damaged or cut short: its global part has no end";
    return false;
}

std::string SpreadsheetBiffBook::numberText(double value, std::uint16_t xf) const
{
    if (xf < m_xfFormats.size()) {
        const std::uint16_t format = m_xfFormats[xf];
        std::string code;
        for (const auto& [id, text] : m_formats) {
            if (id == format) {
                code = text;
            }
        }
        if (const auto shown = shownBy(format, code)) {
            return strings::serialDateText(value, m_dates1904, *shown);
        }
    }
    return strings::formatNumber(value);
}

bool SpreadsheetBiffBook::readSheet(std::size_t first, std::vector<Row>& rows)
{
    const auto damaged = [this](const std::string& what) {
        m_error = "the workbook is damaged: " + what;
        return false;
    };
    std::uint32_t usedRows = 0;
    const auto put = [&](std::uint32_t row, std::uint32_t column, std::string text,
                         bool isText = false) {
        if (row >= kRows || column >= kColumns) {
            return damaged("a cell lies outside the sheet");
        }
        if (!isText) {
            m_notText.emplace_back(row, column);
        }
        if (rows.size() <= row) {
            rows.resize(row + 1);
        }
        if (rows[row].size() <= column) {
            rows[row].resize(column + 1);
        }
        rows[row][column] = std::move(text);
        return true;
    };
    // A formula's text result follows it in a record of its own.
    bool pendingString = false;
    std::uint32_t stringRow = 0;
    std::uint32_t stringColumn = 0;
    for (std::size_t i = first + 1; i < m_records.size(); ++i) {
        const Record& record = m_records[i];
        const std::string_view data = record.data;
        const auto needs = [&](std::size_t size) {
            return data.size() >= size || damaged("a cell record is cut short");
        };
        const std::uint32_t row = data.size() >= 2 ? u16(data, 0) : 0;
        const std::uint32_t column = data.size() >= 4 ? u16(data, 2) : 0;
        const std::uint16_t xf = data.size() >= 6 ? u16(data, 4) : 0;
        bool ok = true;
        switch (record.type) {
        case kEof:
            if (rows.size() < usedRows) {
                rows.resize(usedRows);
            }
            for (Row& cells : rows) {
                while (!cells.empty() && cells.back().empty()) {
                    cells.pop_back();
                }
            }
            return true;
        case kBof: {
            // A chart drawn on the sheet brings its own part; none of it is cells.
            int depth = 1;
            while (depth > 0 && ++i < m_records.size()) {
                depth += m_records[i].type == kBof ? 1 : m_records[i].type == kEof ? -1 : 0;
            }
            break;
        }
        case kDimensions:
            if (data.size() >= 8) {
                usedRows = std::min(u32(data, 4), kRows);
            }
            break;
        case kLabelShared:
            ok = needs(10);
            if (ok && u32(data, 6) >= m_shared.size()) {
                ok = damaged("a cell names string " + std::to_string(u32(data, 6) + 1) + " of " +
                             std::to_string(m_shared.size()));
            }
            ok = ok && put(row, column, m_shared[u32(data, 6)], true);
            break;
        case kLabel:
        case kRichLabel: {
            ok = needs(9);
            PieceReader reader(continued(i));
            std::u16string text;
            std::uint16_t count = 0;
            std::uint8_t flags = 0;
            ok = ok && ((reader.skip(6) && reader.u16le(count) && reader.byte(flags) &&
                         reader.characters(count, (flags & 1) != 0, text)) ||
                        damaged("a text cell is cut short"));
            ok = ok && put(row, column, platform::utf16ToUtf8(text), true);
            break;
        }
        case kNumber:
            ok = needs(14) && put(row, column, numberText(f64(data, 6), xf));
            break;
        case kRk:
            ok = needs(10) && put(row, column, numberText(rkValue(u32(data, 6)), xf));
            break;
        case kMultipleRk: {
            ok = needs(6) && (data.size() - 6) % 6 == 0;
            for (std::size_t at = 4; ok && at + 8 <= data.size(); at += 6) {
                const std::uint32_t next = column + static_cast<std::uint32_t>((at - 4) / 6);
                ok = put(row, next, numberText(rkValue(u32(data, at + 2)), u16(data, at)));
            }
            ok = ok || damaged("a row of numbers is cut short");
            break;
        }
        case kFormula:
            ok = needs(14);
            if (ok && u16(data, 12) == 0xFFFF) {
                const unsigned kind = static_cast<unsigned char>(data[6]);
                if (kind == 0) {
                    pendingString = true;
                    stringRow = row;
                    stringColumn = column;
                } else if (kind == 1) {
                    ok = put(row, column, data[8] != 0 ? "1" : "0");
                }
            } else if (ok) {
                ok = put(row, column, numberText(f64(data, 6), xf));
            }
            break;
        case kFormulaString:
            if (pendingString) {
                PieceReader reader(continued(i));
                std::u16string text;
                std::uint16_t count = 0;
                std::uint8_t flags = 0;
                ok = (reader.u16le(count) && reader.byte(flags) &&
                      reader.characters(count, (flags & 1) != 0, text)) ||
                     damaged("a formula's text is cut short");
                ok = ok && put(stringRow, stringColumn, platform::utf16ToUtf8(text), true);
                pendingString = false;
            }
            break;
        case kBoolErr:
            ok = needs(8);
            if (ok && data[7] == 0) {
                ok = put(row, column, data[6] != 0 ? "1" : "0");
            }
            break;
        default:
            break;
        }
        if (!ok) {
            return false;
        }
    }
    return damaged("the first worksheet is cut short");
}

SpreadsheetBiffBook::Result SpreadsheetBiffBook::ReadFirstSheet(std::string_view stream,
                                                                std::vector<Row>& rows)
{
    rows.clear();
    m_records.clear();
    m_shared.clear();
    m_xfFormats.clear();
    m_formats.clear();
    m_sheetName.clear();
    m_notText.clear();
    if (!splitRecords(stream)) {
        return Result::Failed;
    }
    if (m_records.empty() || m_records.front().type != kBof || m_records.front().data.size() < 4) {
        return fail("the workbook stream does not start like a workbook");
    }
    const std::uint16_t version = u16(m_records.front().data, 0);
    if (version < 0x0600) {
        return Result::OlderFormat;
    }
    if (version != 0x0600 || u16(m_records.front().data, 2) != 0x0005) {
        return fail("the workbook stream does not start like a workbook");
    }
    std::size_t sheetOffset = 0;
    if (!readGlobals(sheetOffset)) {
        return Result::Failed;
    }
    const auto sheet = std::find_if(m_records.begin(), m_records.end(), [&](const Record& record) {
        return record.offset == sheetOffset;
    });
    if (sheet == m_records.end() || sheet->type != kBof || sheet->data.size() < 4 ||
        u16(sheet->data, 2) != 0x0010) {
        return fail("the workbook is damaged: its first worksheet is not where it says");
    }
    if (!readSheet(static_cast<std::size_t>(sheet - m_records.begin()), rows)) {
        rows.clear();
        return Result::Failed;
    }
    return Result::Read;
}

#include "strings/RtfReader.h"

#include "strings/RtfCharset.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <vector>

namespace {

constexpr std::string_view kSignature = "{\\rtf1";
constexpr char16_t kReplacement = 0xFFFD;
constexpr int kMaxUnicodeSkip = 255;

// Destinations whose text is not part of the document's text.
constexpr const char* kSkippedDestinations[] = {
    "annotation", "atnauthor", "atnid",      "author",    "colortbl",  "comment",
    "company",    "datastore", "doccomm",    "filetbl",   "footer",    "footerf",
    "footerl",    "footerr",   "footnote",   "generator", "header",    "headerf",
    "headerl",    "headerr",   "info",       "keywords",  "listtable", "listoverridetable",
    "object",     "operator",  "pict",       "private",   "revtbl",    "rsidtbl",
    "shp",        "shppict",   "stylesheet", "subject",   "tc",        "themedata",
    "title",      "txe",       "xe",         "xmlnstbl",
};

// Control words that stand for one character.
struct SymbolWord
{
    const char* word;
    char16_t unit;
};
constexpr SymbolWord kSymbolWords[] = {
    {"tab", u'\t'},      {"emdash", 0x2014},    {"endash", 0x2013},    {"lquote", 0x2018},
    {"rquote", 0x2019},  {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"bullet", 0x2022},
    {"emspace", 0x2003}, {"enspace", 0x2002},   {"qmspace", 0x2005},
};

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// A control word: its letters, and its numeric parameter when it has one.
struct ControlWord
{
    std::string_view word;
    bool hasParameter = false;
    long long parameter = 0;

    bool is(std::string_view name) const { return word == name; }
};

// Where the text goes: a growing string that stops taking units at `limit`.
class TextSink
{
public:
    explicit TextSink(std::size_t limit) : m_limit(limit) {}

    bool full() const { return m_text.size() >= m_limit; }

    void append(char16_t unit)
    {
        for (; m_pendingBreaks > 0; --m_pendingBreaks) {
            push(u'\n');
        }
        push(unit);
    }

    // A paragraph or line break: written only when text follows it, so that the break that
    // ends a document adds nothing.
    void breakLine()
    {
        if (!m_text.empty() && m_pendingBreaks < m_limit) {
            ++m_pendingBreaks;
        }
    }

    std::u16string take()
    {
        // A high surrogate whose low half was cut off is no character.
        if (m_text.size() >= m_limit && !m_text.empty() && m_text.back() >= 0xD800 &&
            m_text.back() <= 0xDBFF) {
            m_text.pop_back();
        }
        return std::move(m_text);
    }

private:
    void push(char16_t unit)
    {
        if (!full()) {
            m_text += unit;
        }
    }

    std::size_t m_limit;
    std::size_t m_pendingBreaks = 0;
    std::u16string m_text;
};

// One pass over a document, with a state (font, replacement count) per group.
class Parser
{
public:
    Parser(std::string_view rtf, TextSink& sink) : m_rtf(rtf), m_sink(sink) {}

    void run()
    {
        m_pos = 1; // at "\rtf1", read as the first control word of the outermost group
        m_states.push_back(State{});
        while (m_pos < m_rtf.size() && !m_states.empty() && !m_sink.full()) {
            const char c = m_rtf[m_pos];
            if (c == '{') {
                ++m_pos;
                openGroup();
            } else if (c == '}') {
                ++m_pos;
                m_states.pop_back();
            } else if (c == '\\') {
                ++m_pos;
                readControl();
            } else if (c == '\r' || c == '\n') {
                ++m_pos;
            } else {
                ++m_pos;
                appendByte(static_cast<std::uint8_t>(c));
            }
        }
    }

private:
    struct State
    {
        long long font = 0;
        int unicodeSkip = 1;
    };

    State& state() { return m_states.back(); }

    bool at(char c) const { return m_pos < m_rtf.size() && m_rtf[m_pos] == c; }

    // Reads the control word whose letters start at the current position, with its parameter
    // and the space that ends it.
    ControlWord readWord()
    {
        ControlWord control;
        const std::size_t start = m_pos;
        while (m_pos < m_rtf.size() && isLetter(m_rtf[m_pos])) {
            ++m_pos;
        }
        control.word = m_rtf.substr(start, m_pos - start);
        bool negative = false;
        if (at('-') && m_pos + 1 < m_rtf.size() && isDigit(m_rtf[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        int digits = 0;
        while (m_pos < m_rtf.size() && isDigit(m_rtf[m_pos])) {
            if (digits++ < 10) { // longer numbers are no valid parameter; keep them bounded
                control.parameter = control.parameter * 10 + (m_rtf[m_pos] - '0');
            }
            control.hasParameter = true;
            ++m_pos;
        }
        if (negative) {
            control.parameter = -control.parameter;
        }
        if (at(' ')) {
            ++m_pos;
        }
        return control;
    }

    // Skips the data of "\binN".
    void skipBinary(const ControlWord& control)
    {
        if (control.hasParameter && control.parameter > 0) {
            const auto count = static_cast<std::size_t>(control.parameter);
            m_pos = count > m_rtf.size() - m_pos ? m_rtf.size() : m_pos + count;
        }
    }

    void openGroup()
    {
        const State inherited = state();
        m_states.push_back(inherited);
        if (!at('\\') || m_pos + 1 >= m_rtf.size()) {
            return;
        }
        if (m_rtf[m_pos + 1] == '*') {
            skipGroup();
            return;
        }
        if (!isLetter(m_rtf[m_pos + 1])) {
            return;
        }
        const std::size_t start = m_pos;
        ++m_pos;
        const ControlWord control = readWord();
        if (control.is("fonttbl")) {
            readFontTable();
            return;
        }
        for (const char* name : kSkippedDestinations) {
            if (control.is(name)) {
                skipGroup();
                return;
            }
        }
        m_pos = start; // an ordinary group: read its first control word as usual
    }

    // Moves past the end of the group whose opening brace was read last, and leaves it.
    void skipGroup()
    {
        int depth = 1;
        while (m_pos < m_rtf.size() && depth > 0) {
            const char c = m_rtf[m_pos++];
            if (c == '{') {
                ++depth;
            } else if (c == '}') {
                --depth;
            } else if (c == '\\' && m_pos < m_rtf.size()) {
                if (isLetter(m_rtf[m_pos])) {
                    const ControlWord control = readWord();
                    if (control.is("bin")) {
                        skipBinary(control);
                    }
                } else {
                    ++m_pos; // an escaped brace or backslash does not count
                }
            }
        }
        m_states.pop_back();
    }

    // Records the charset of each font: "\fN" starts an entry, "\fcharsetM" gives its charset.
    void readFontTable()
    {
        long long font = -1;
        int depth = 1;
        while (m_pos < m_rtf.size() && depth > 0) {
            const char c = m_rtf[m_pos++];
            if (c == '{') {
                ++depth;
            } else if (c == '}') {
                --depth;
            } else if (c == '\\' && m_pos < m_rtf.size()) {
                if (!isLetter(m_rtf[m_pos])) {
                    ++m_pos;
                    continue;
                }
                const ControlWord control = readWord();
                if (control.is("f") && control.hasParameter) {
                    font = control.parameter;
                } else if (control.is("fcharset") && control.hasParameter && font >= 0) {
                    m_charsets[font] = static_cast<int>(control.parameter);
                } else if (control.is("bin")) {
                    skipBinary(control);
                }
            }
        }
        m_states.pop_back();
    }

    void readControl()
    {
        if (m_pos >= m_rtf.size()) {
            return;
        }
        const char c = m_rtf[m_pos];
        if (isLetter(c)) {
            readControlWord(readWord());
            return;
        }
        ++m_pos;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            m_sink.append(static_cast<char16_t>(c));
            break;
        case '~':
            m_sink.append(0x00A0);
            break;
        case '_':
            m_sink.append(0x2011);
            break;
        case '\r':
        case '\n':
            m_sink.breakLine();
            break;
        case '\'': {
            int byte = 0;
            if (readHexByte(byte)) {
                appendByte(static_cast<std::uint8_t>(byte));
            }
            break;
        }
        default:
            break; // "\-", "\|", "\:" and the like carry no text
        }
    }

    // Reads the two hexadecimal digits after "\'".
    bool readHexByte(int& byte)
    {
        if (m_pos + 1 >= m_rtf.size()) {
            return false;
        }
        const int high = hexValue(m_rtf[m_pos]);
        const int low = hexValue(m_rtf[m_pos + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        m_pos += 2;
        byte = high * 16 + low;
        return true;
    }

    void readControlWord(const ControlWord& control)
    {
        if (control.is("u") && control.hasParameter) {
            // Both forms occur: the signed one of the format and the unsigned one of the
            // builder (U+9FA5 as \u-24667 or \u40869).
            m_sink.append(static_cast<char16_t>(control.parameter & 0xFFFF));
            skipReplacement();
        } else if (control.is("uc") && control.hasParameter) {
            state().unicodeSkip =
                static_cast<int>(std::clamp<long long>(control.parameter, 0, kMaxUnicodeSkip));
        } else if (control.is("f") && control.hasParameter) {
            state().font = control.parameter;
        } else if (control.is("par") || control.is("line")) {
            m_sink.breakLine();
        } else if (control.is("bin")) {
            skipBinary(control);
        } else {
            for (const SymbolWord& symbol : kSymbolWords) {
                if (control.is(symbol.word)) {
                    m_sink.append(symbol.unit);
                    break;
                }
            }
        }
    }

    // Skips the characters that stand in for a "\uN" in readers that do not know it: each is
    // one "\'hh", one other control word or symbol, or one literal byte; a brace ends them.
    void skipReplacement()
    {
        for (int i = 0; i < state().unicodeSkip && m_pos < m_rtf.size(); ++i) {
            const char c = m_rtf[m_pos];
            if (c == '{' || c == '}') {
                return;
            }
            ++m_pos;
            if (c == '\\' && m_pos < m_rtf.size()) {
                if (isLetter(m_rtf[m_pos])) {
                    readWord();
                } else if (m_rtf[m_pos] == '\'') {
                    ++m_pos;
                    int byte = 0;
                    readHexByte(byte);
                } else {
                    ++m_pos;
                }
            }
        }
    }

    int currentCharset() const
    {
        const auto found = m_charsets.find(m_states.back().font);
        const int charset = found == m_charsets.end() ? 0 : found->second;
        // A charset without a known code page is read as the default one.
        return RtfCharset::codePageOf(charset) == 0 ? 0 : charset;
    }

    // Appends the character of `byte` in the current font's charset. A lead byte of a
    // double-byte charset takes the next byte with it, given as "\'hh" or literally.
    void appendByte(std::uint8_t byte)
    {
        if (byte < 0x80) {
            if (byte >= 0x20 || byte == '\t') { // other control characters carry no text
                m_sink.append(byte);
            }
            return;
        }
        const int charset = currentCharset();
        const char bytes[2] = {static_cast<char>(byte), 0};
        const char16_t unit = RtfCharset::codeUnit(charset, std::string_view(bytes, 1));
        if (unit != RtfCharset::kNoCodeUnit) {
            m_sink.append(unit);
            return;
        }
        int trail = -1;
        if (m_pos + 1 < m_rtf.size() && m_rtf[m_pos] == '\\' && m_rtf[m_pos + 1] == '\'') {
            const std::size_t back = m_pos;
            m_pos += 2;
            if (!readHexByte(trail)) {
                m_pos = back;
                trail = -1;
            }
        } else if (m_pos < m_rtf.size() && std::strchr("\\{}\r\n", m_rtf[m_pos]) == nullptr) {
            trail = static_cast<std::uint8_t>(m_rtf[m_pos++]);
        }
        if (trail < 0) {
            m_sink.append(kReplacement);
            return;
        }
        const char pair[2] = {static_cast<char>(byte), static_cast<char>(trail)};
        m_sink.append(RtfCharset::codeUnit(charset, std::string_view(pair, 2)));
    }

    std::string_view m_rtf;
    TextSink& m_sink;
    std::size_t m_pos = 0;
    std::vector<State> m_states;
    std::map<long long, int> m_charsets; // font number -> charset; fonts not listed: 0
};

std::u16string readText(std::string_view rtf, std::size_t limit)
{
    TextSink sink(limit);
    Parser(rtf, sink).run();
    return sink.take();
}

} // namespace

bool RtfReader::isRtf(std::string_view rtf)
{
    return rtf.substr(0, kSignature.size()) == kSignature;
}

std::size_t RtfReader::read(std::string_view rtf, char16_t* buffer, std::size_t bufferSize)
{
    if (!isRtf(rtf) || bufferSize == 0 || buffer == nullptr) {
        return 0;
    }
    const std::u16string text = readText(rtf, bufferSize - 1);
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = 0;
    return text.size() + 1;
}

std::optional<std::u16string> RtfReader::read(std::string_view rtf)
{
    if (!isRtf(rtf)) {
        return std::nullopt;
    }
    return readText(rtf, std::numeric_limits<std::size_t>::max());
}

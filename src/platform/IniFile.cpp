#include "platform/IniFile.h"

#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"

namespace platform {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool isQuote(char c)
{
    return c == '"' || c == '\'';
}

bool isQuoted(std::string_view value)
{
    return value.size() >= 2 && isQuote(value.front()) && value.back() == value.front();
}

// One line as the private-profile reader sees it.
struct ParsedLine
{
    enum class Kind
    {
        Other,
        Section,
        Key
    };
    Kind kind = Kind::Other;
    std::string_view name;      // section or key name, trimmed
    std::string_view value;     // trimmed, quotes still on
    std::size_t valueStart = 0; // where the value (after the blanks past '=') begins
};

ParsedLine parseLine(std::string_view text, bool firstLine)
{
    ParsedLine line;
    std::size_t pos = 0;
    if (firstLine && text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        pos = kByteOrderMark.size();
    }
    while (pos < text.size() && isBlank(text[pos])) {
        ++pos;
    }
    if (pos >= text.size() || text[pos] == ';') {
        return line;
    }
    if (text[pos] == '[') {
        const std::size_t close = text.rfind(']');
        if (close != std::string_view::npos && close > pos) {
            line.kind = ParsedLine::Kind::Section;
            line.name = trimmed(text.substr(pos + 1, close - pos - 1));
        }
        return line;
    }
    const std::size_t equals = text.find('=', pos);
    if (equals == std::string_view::npos) {
        return line;
    }
    line.name = trimmed(text.substr(pos, equals - pos));
    if (line.name.empty()) {
        return line;
    }
    line.kind = ParsedLine::Kind::Key;
    line.valueStart = equals + 1;
    while (line.valueStart < text.size() && isBlank(text[line.valueStart])) {
        ++line.valueStart;
    }
    line.value = trimmed(text.substr(line.valueStart));
    return line;
}

bool hasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// The text to write so that reading gives `value` back: the reader trims blanks and drops one
// pair of enclosing quotes, so such values get a pair of quotes of their own.
std::string storedValue(std::string_view value)
{
    const bool needsQuotes =
        !value.empty() && (isBlank(value.front()) || isBlank(value.back()) || isQuoted(value));
    return needsQuotes ? "\"" + std::string(value) + "\"" : std::string(value);
}

} // namespace

bool IniFile::load(const std::string& path, std::error_code* error)
{
    std::error_code readError;
    const std::optional<std::string> content = readFile(path, &readError);
    setText(content ? *content : std::string());
    if (!content && readError != std::errc::no_such_file_or_directory) {
        if (error) {
            *error = readError;
        }
        return false;
    }
    return true;
}

void IniFile::setText(std::string_view text)
{
    m_lines.clear();
    m_newline = "\n";
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            // A carriage return that ends the file still ends its last line, as it does for
            // the platform's reader: it is no part of the last value.
            std::string_view last = text.substr(start);
            const bool cr = last.back() == '\r';
            m_lines.push_back(
                {std::string(last.substr(0, last.size() - (cr ? 1 : 0))), cr ? "\r" : ""});
            break;
        }
        const bool crlf = end > start && text[end - 1] == '\r';
        const std::size_t length = end - start - (crlf ? 1 : 0);
        m_lines.push_back({std::string(text.substr(start, length)), crlf ? "\r\n" : "\n"});
        start = end + 1;
    }
    if (!m_lines.empty() && !m_lines.front().ending.empty() &&
        m_lines.front().ending.back() == '\n') {
        m_newline = m_lines.front().ending;
    }
}

std::string IniFile::text() const
{
    std::string result;
    for (const Line& line : m_lines) {
        result += line.text;
        result += line.ending;
    }
    return result;
}

std::pair<std::size_t, std::size_t> IniFile::findSection(std::string_view section) const
{
    std::size_t first = section.empty() ? 0 : std::string::npos;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (parseLine(m_lines[i].text, i == 0).kind != ParsedLine::Kind::Section) {
            continue;
        }
        if (first != std::string::npos) {
            return {first, i};
        }
        if (equalsIgnoreAsciiCase(parseLine(m_lines[i].text, i == 0).name, section)) {
            first = i + 1;
        }
    }
    return {first, m_lines.size()};
}

std::size_t IniFile::findKey(std::size_t first, std::size_t last, std::string_view key) const
{
    for (std::size_t i = first; i < last; ++i) {
        const ParsedLine line = parseLine(m_lines[i].text, i == 0);
        if (line.kind == ParsedLine::Kind::Key && equalsIgnoreAsciiCase(line.name, key)) {
            return i;
        }
    }
    return std::string::npos;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    const auto [first, last] = findSection(trimmed(section));
    if (first == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t index = findKey(first, last, trimmed(key));
    if (index == std::string::npos) {
        return std::nullopt;
    }
    std::string_view value = parseLine(m_lines[index].text, index == 0).value;
    if (isQuoted(value)) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

std::vector<std::string> IniFile::sections() const
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const ParsedLine line = parseLine(m_lines[i].text, i == 0);
        if (line.kind == ParsedLine::Kind::Section) {
            names.emplace_back(line.name);
        }
    }
    return names;
}

std::vector<std::string> IniFile::keys(std::string_view section) const
{
    std::vector<std::string> names;
    const auto [first, last] = findSection(trimmed(section));
    for (std::size_t i = first; first != std::string::npos && i < last; ++i) {
        const ParsedLine line = parseLine(m_lines[i].text, i == 0);
        if (line.kind == ParsedLine::Kind::Key) {
            names.emplace_back(line.name);
        }
    }
    return names;
}

bool IniFile::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    section = trimmed(section);
    key = trimmed(key);
    if (section.empty() || key.empty() || hasLineBreak(section) || hasLineBreak(key) ||
        hasLineBreak(value) || key.find('=') != std::string_view::npos || key.front() == ';' ||
        key.front() == '[' || section.find(']') != std::string_view::npos) {
        return false;
    }
    const std::string stored = storedValue(value);
    const auto [first, last] = findSection(section);
    if (first == std::string::npos) {
        insertLine(m_lines.size(), "[" + std::string(section) + "]");
        insertLine(m_lines.size(), std::string(key) + "=" + stored);
        return true;
    }
    const std::size_t index = findKey(first, last, key);
    if (index != std::string::npos) {
        Line& line = m_lines[index];
        line.text = line.text.substr(0, parseLine(line.text, index == 0).valueStart) + stored;
        return true;
    }
    // After the section's last key, so that blank lines and comments that lead into the next
    // section stay with it.
    std::size_t insertAt = first;
    for (std::size_t i = first; i < last; ++i) {
        if (parseLine(m_lines[i].text, i == 0).kind == ParsedLine::Kind::Key) {
            insertAt = i + 1;
        }
    }
    insertLine(insertAt, std::string(key) + "=" + stored);
    return true;
}

void IniFile::insertLine(std::size_t index, std::string text)
{
    // A line after the last one needs a line break the reader splits at. A carriage return
    // that ended the file stays and takes a line feed after it: dropping it would join a
    // carriage return at the end of the line's text with the new line feed, and change the
    // line's value.
    if (index > 0 && m_lines[index - 1].ending.empty()) {
        m_lines[index - 1].ending = m_newline;
    } else if (index > 0 && m_lines[index - 1].ending == "\r") {
        m_lines[index - 1].ending = "\r\n";
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(index),
                   Line{std::move(text), m_newline});
}

bool IniFile::save(const std::string& path, std::error_code* error) const
{
    return writeFileAtomically(path, text(), error);
}

} // namespace platform

#include "strings/SpreadsheetXlsxBook.h"

#include "platform/CodePage.h"
#include "strings/SpreadsheetCellText.h"

#include <tinyxml.h>
#include <zip.h>

#include <cstdlib>
#include <memory>

namespace {

// No part of a workbook of strings comes near this; a bigger one is taken for damage
// (or a compressed bomb) rather than read.
constexpr zip_uint64_t kPartMax = 128u << 20;
constexpr std::size_t kRowMax = 1048576;
constexpr std::size_t kColumnMax = 16384;
// TinyXML may look a few bytes past a document that ends inside a character.
constexpr std::size_t kParsePadding = 8;

// The element name without a namespace prefix: producers differ in the prefixes they use.
std::string_view localName(const TiXmlElement& element)
{
    const std::string_view name = element.ValueStr();
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

const TiXmlElement* firstChild(const TiXmlNode& parent, std::string_view name)
{
    for (const TiXmlElement* child = parent.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        if (localName(*child) == name) {
            return child;
        }
    }
    return nullptr;
}

template <typename Visit>
void forChildren(const TiXmlNode& parent, std::string_view name, Visit visit)
{
    for (const TiXmlElement* child = parent.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        if (localName(*child) == name) {
            visit(*child);
        }
    }
}

// An attribute by its local name; `prefixed` asks for one in some namespace (r:id).
const char* attribute(const TiXmlElement& element, std::string_view name, bool prefixed = false)
{
    for (const TiXmlAttribute* a = element.FirstAttribute(); a != nullptr; a = a->Next()) {
        const std::string_view full = a->Name();
        const std::size_t colon = full.find(':');
        const bool hasPrefix = colon != std::string_view::npos;
        if (hasPrefix == prefixed && full.substr(hasPrefix ? colon + 1 : 0) == name) {
            return a->Value();
        }
    }
    return nullptr;
}

std::string elementText(const TiXmlElement& element)
{
    const char* text = element.GetText();
    return text != nullptr ? text : "";
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Workbooks write characters that XML cannot hold as "_xHHHH_" (a carriage return as
// "_x000D_"); a literal "_x" in a text is itself written "_x005F_x".
std::string unescapeText(const std::string& text)
{
    if (text.find("_x") == std::string::npos) {
        return text;
    }
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, 2, "_x") == 0 && i + 7 <= text.size() && text[i + 6] == '_' &&
            isHex(text[i + 2]) && isHex(text[i + 3]) && isHex(text[i + 4]) && isHex(text[i + 5])) {
            const auto code =
                static_cast<char32_t>(std::strtoul(text.substr(i + 2, 4).c_str(), nullptr, 16));
            // Surrogate halves cannot stand alone in UTF-8.
            appendUtf8(out, code >= 0xD800 && code <= 0xDFFF ? U'\uFFFD' : code);
            i += 7;
        } else {
            out += text[i++];
        }
    }
    return out;
}

// The text of a shared or inline string: its own <t>, or the <t> of every run; the
// phonetic guides (<rPh>) are not part of it.
std::string stringItemText(const TiXmlElement& item)
{
    std::string text;
    for (const TiXmlElement* child = item.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        const std::string_view name = localName(*child);
        if (name == "t") {
            text += elementText(*child);
        } else if (name == "r") {
            if (const TiXmlElement* t = firstChild(*child, "t")) {
                text += elementText(*t);
            }
        }
    }
    return unescapeText(text);
}

// Splits a cell reference such as "AB12" into a zero-based column and row.
bool parseReference(std::string_view ref, std::size_t& column, std::size_t& row)
{
    std::size_t i = 0;
    column = 0;
    while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z' && i < 3) {
        column = column * 26 + static_cast<std::size_t>(ref[i] - 'A' + 1);
        ++i;
    }
    row = 0;
    const std::size_t digits = i;
    while (i < ref.size() && ref[i] >= '0' && ref[i] <= '9' && i - digits < 7) {
        row = row * 10 + static_cast<std::size_t>(ref[i] - '0');
        ++i;
    }
    if (i != ref.size() || digits == 0 || i == digits || column == 0 || row == 0 ||
        column > kColumnMax || row > kRowMax) {
        return false;
    }
    --column;
    --row;
    return true;
}

// Reads a decimal number from `first` to `limit`.
bool parseNumber(const char* text, std::size_t first, std::size_t limit, std::size_t& number)
{
    if (text == nullptr || *text < '0' || *text > '9') {
        return false;
    }
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (*end != '\0' || value < first || value > limit) {
        return false;
    }
    number = static_cast<std::size_t>(value);
    return true;
}

// Resolves a relationship target against the folder of the part that names it.
std::string resolveTarget(const std::string& part, const std::string& target)
{
    if (!target.empty() && target.front() == '/') {
        return target.substr(1);
    }
    std::string folder = part.substr(0, part.rfind('/') + 1);
    std::string rest = target;
    while (rest.compare(0, 3, "../") == 0) {
        rest.erase(0, 3);
        if (!folder.empty()) {
            folder.pop_back();
            folder.erase(folder.rfind('/') == std::string::npos ? 0 : folder.rfind('/') + 1);
        }
    }
    return folder + rest;
}

// TinyXML condenses white space by default, which would change the texts.
class KeptWhiteSpace
{
public:
    KeptWhiteSpace() : m_was(TiXmlBase::IsWhiteSpaceCondensed())
    {
        TiXmlBase::SetCondenseWhiteSpace(false);
    }
    ~KeptWhiteSpace() { TiXmlBase::SetCondenseWhiteSpace(m_was); }

private:
    bool m_was;
};

bool endsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

} // namespace

SpreadsheetXlsxBook::~SpreadsheetXlsxBook()
{
    close();
}

void SpreadsheetXlsxBook::close()
{
    if (m_archive != nullptr) {
        zip_discard(m_archive);
        m_archive = nullptr;
    }
}

bool SpreadsheetXlsxBook::fail(const std::string& what)
{
    m_error = what;
    return false;
}

bool SpreadsheetXlsxBook::open(std::string_view bytes)
{
    close();
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source != nullptr) {
        m_archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
        if (m_archive == nullptr) {
            zip_source_free(source);
        }
    }
    if (m_archive == nullptr) {
        const std::string why = zip_error_strerror(&error);
        zip_error_fini(&error);
        return fail("not an .xlsx workbook or a damaged one (" + why + ")");
    }
    zip_error_fini(&error);
    return true;
}

bool SpreadsheetXlsxBook::readPart(const std::string& name, std::string& text)
{
    text.clear();
    const zip_int64_t index = zip_name_locate(m_archive, name.c_str(), 0);
    if (index < 0) {
        return fail("the workbook has no part \"" + name + "\"");
    }
    zip_file_t* file = zip_fopen_index(m_archive, static_cast<zip_uint64_t>(index), 0);
    if (file == nullptr) {
        return fail("the part \"" + name + "\" cannot be read: " + zip_strerror(m_archive));
    }
    char buffer[65536];
    zip_int64_t got = 0;
    while ((got = zip_fread(file, buffer, sizeof buffer)) > 0) {
        if (text.size() + static_cast<std::size_t>(got) > kPartMax) {
            zip_fclose(file);
            return fail("the part \"" + name + "\" is too large");
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    const std::string why = got < 0 ? zip_file_strerror(file) : "";
    zip_fclose(file);
    if (got < 0) {
        return fail("the part \"" + name + "\" is damaged: " + why);
    }
    return true;
}

bool SpreadsheetXlsxBook::parsePart(const std::string& name, TiXmlDocument& document)
{
    std::string xml;
    if (!readPart(name, xml)) {
        return false;
    }
    xml.append(kParsePadding, '\0');
    document.Parse(xml.c_str(), nullptr, TIXML_ENCODING_UTF8);
    if (document.Error() || document.RootElement() == nullptr) {
        return fail("the part \"" + name + "\" is not well-formed XML");
    }
    return true;
}

bool SpreadsheetXlsxBook::findWorkbook(std::string& workbookPart)
{
    workbookPart = "xl/workbook.xml";
    if (zip_name_locate(m_archive, "_rels/.rels", 0) < 0) {
        return true;
    }
    TiXmlDocument document;
    if (!parsePart("_rels/.rels", document)) {
        return false;
    }
    forChildren(*document.RootElement(), "Relationship", [&](const TiXmlElement& r) {
        const char* type = attribute(r, "Type");
        const char* target = attribute(r, "Target");
        if (type != nullptr && target != nullptr && endsWith(type, "/officeDocument")) {
            workbookPart = resolveTarget("", target);
        }
    });
    return true;
}

bool SpreadsheetXlsxBook::readRelationships(const std::string& part,
                                            std::map<std::string, std::string>& targets,
                                            std::string& sharedStrings)
{
    const std::size_t slash = part.rfind('/') + 1;
    const std::string rels = part.substr(0, slash) + "_rels/" + part.substr(slash) + ".rels";
    TiXmlDocument document;
    if (!parsePart(rels, document)) {
        return false;
    }
    forChildren(*document.RootElement(), "Relationship", [&](const TiXmlElement& r) {
        const char* id = attribute(r, "Id");
        const char* type = attribute(r, "Type");
        const char* target = attribute(r, "Target");
        if (id == nullptr || type == nullptr || target == nullptr) {
            return;
        }
        targets[id] = resolveTarget(part, target);
        if (endsWith(type, "/sharedStrings")) {
            sharedStrings = targets[id];
        }
    });
    return true;
}

bool SpreadsheetXlsxBook::readSharedStrings(const std::string& part)
{
    m_shared.clear();
    if (part.empty()) {
        return true;
    }
    TiXmlDocument document;
    if (!parsePart(part, document)) {
        return false;
    }
    forChildren(*document.RootElement(), "si",
                [&](const TiXmlElement& item) { m_shared.push_back(stringItemText(item)); });
    return true;
}

bool SpreadsheetXlsxBook::readCell(const TiXmlElement& cell, SpreadsheetCell& out) const
{
    const char* typeText = attribute(cell, "t");
    const std::string_view type = typeText != nullptr ? typeText : "n";
    const TiXmlElement* valueElement = firstChild(cell, "v");
    const std::string value = valueElement != nullptr ? elementText(*valueElement) : "";
    out = {};
    if (type == "inlineStr") {
        if (const TiXmlElement* is = firstChild(cell, "is")) {
            out.text = stringItemText(*is);
        }
        return true;
    }
    if (valueElement == nullptr) {
        return true;
    }
    if (type == "s") {
        std::size_t index = 0;
        if (m_shared.empty() || !parseNumber(value.c_str(), 0, m_shared.size() - 1, index)) {
            return false;
        }
        out.text = m_shared[index];
        return true;
    }
    if (type == "str") {
        out.text = unescapeText(value);
        return true;
    }
    out.isText = false;
    if (type == "b") {
        out.text = value == "1" ? "TRUE" : "FALSE";
    } else if (type == "n") {
        char* end = nullptr;
        const double number = std::strtod(value.c_str(), &end);
        out.text = end != value.c_str() && *end == '\0' ? strings::formatNumber(number) : value;
    } else {
        out.text = value; // error values ("#N/A") and ISO dates
    }
    return true;
}

bool SpreadsheetXlsxBook::readSheet(const std::string& part, std::vector<SpreadsheetRow>& rows)
{
    TiXmlDocument document;
    if (!parsePart(part, document)) {
        return false;
    }
    const TiXmlElement* data = firstChild(*document.RootElement(), "sheetData");
    if (data == nullptr) {
        return fail("the first worksheet has no cell data");
    }
    std::size_t nextRow = 0;
    for (const TiXmlElement* row = data->FirstChildElement(); row != nullptr;
         row = row->NextSiblingElement()) {
        if (localName(*row) != "row") {
            continue;
        }
        std::size_t rowIndex = nextRow;
        if (const char* r = attribute(*row, "r")) {
            if (!parseNumber(r, 1, kRowMax, rowIndex)) {
                return fail("a row of the first worksheet has the number \"" + std::string(r) +
                            "\"");
            }
            --rowIndex;
        }
        if (rowIndex < nextRow) {
            return fail("the rows of the first worksheet are out of order");
        }
        nextRow = rowIndex + 1;
        if (rows.size() < nextRow) {
            rows.resize(nextRow);
        }
        SpreadsheetRow& cells = rows[rowIndex];
        std::size_t nextColumn = 0;
        for (const TiXmlElement* c = row->FirstChildElement(); c != nullptr;
             c = c->NextSiblingElement()) {
            if (localName(*c) != "c") {
                continue;
            }
            std::size_t column = nextColumn;
            std::size_t cellRow = rowIndex;
            if (const char* ref = attribute(*c, "r");
                ref != nullptr && (!parseReference(ref, column, cellRow) || cellRow != rowIndex)) {
                return fail("the cell \"" + std::string(ref) + "\" is not where its row is");
            }
            if (column < nextColumn || column >= kColumnMax) {
                return fail("the cells of row " + std::to_string(rowIndex + 1) +
                            " are out of order");
            }
            nextColumn = column + 1;
            SpreadsheetCell cell;
            if (!readCell(*c, cell)) {
                return fail("the cell " + std::to_string(rowIndex + 1) + ":" +
                            std::to_string(column + 1) +
                            " names a shared string that does not exist");
            }
            if (!cell.text.empty()) {
                cells.resize(column + 1);
                cells[column] = std::move(cell);
            }
        }
    }
    return true;
}

bool SpreadsheetXlsxBook::ReadFirstSheet(std::string_view bytes, std::vector<SpreadsheetRow>& rows)
{
    rows.clear();
    m_error.clear();
    m_sheetName.clear();
    if (!open(bytes)) {
        return false;
    }
    const KeptWhiteSpace keepWhiteSpace;
    std::string workbookPart;
    std::map<std::string, std::string> targets;
    std::string sharedPart;
    if (!findWorkbook(workbookPart) || !readRelationships(workbookPart, targets, sharedPart)) {
        close();
        return false;
    }
    TiXmlDocument document;
    if (!parsePart(workbookPart, document)) {
        close();
        return false;
    }
    const TiXmlElement* sheets = firstChild(*document.RootElement(), "sheets");
    const TiXmlElement* sheet = sheets != nullptr ? firstChild(*sheets, "sheet") : nullptr;
    const char* id = sheet != nullptr ? attribute(*sheet, "id", true) : nullptr;
    if (id == nullptr || targets.count(id) == 0) {
        close();
        return fail("the workbook names no worksheet that it holds");
    }
    if (const char* name = attribute(*sheet, "name")) {
        m_sheetName = name;
    }
    std::vector<SpreadsheetRow> read;
    const bool ok = readSharedStrings(sharedPart) && readSheet(targets[id], read);
    close();
    m_shared.clear();
    if (ok) {
        rows = std::move(read);
    }
    return ok;
}

#include "textcheck/TextFitReport.h"

#include "textcheck/LineMeasurer.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <sstream>

namespace textcheck {
namespace {

std::string OverflowLine(const TextFitReport::Overflow& o)
{
    std::ostringstream line;
    line << "overflow   " << o.element << "  [" << o.language << "]  \"" << o.text << "\"  needs "
         << o.neededWidth << "x" << o.neededHeight << ", has " << o.width << "x" << o.height;
    if (!o.scrolls && o.neededWidth > o.width) {
        line << ": " << o.neededWidth - o.width << " px too wide";
    }
    if (o.neededHeight > o.height) {
        line << (!o.scrolls && o.neededWidth > o.width ? ", " : ": ") << o.neededHeight - o.height
             << " px too high";
    }
    return line.str();
}

} // namespace

std::string CodePointName(char32_t c)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

std::string TextFitReport::Text() const
{
    std::ostringstream out;
    for (const Overflow& overflow : overflows) {
        out << OverflowLine(overflow) << "\n";
    }
    for (const MissingText& missing : missingTexts) {
        out << "missing    " << missing.string << "  [" << missing.language << "]  "
            << missing.reason << "\n";
    }
    for (const std::string& element : unbound) {
        out << "unbound    " << element << "  (bound to no string)\n";
    }
    for (const MissingGlyph& glyph : missingGlyphs) {
        out << "no glyph   " << glyph.element << "  [" << glyph.language << "]  "
            << CodePointName(glyph.character) << " \"" << EncodeUtf8(glyph.character) << "\" in "
            << glyph.font << "\n";
    }
    for (const FontUse& use : fonts) {
        out << "font       " << use.script << ": " << use.font << "\n";
    }
    const std::size_t count = ProblemCount();
    out << (count == 0 ? std::string("no problems")
                       : std::to_string(count) + " problem" + (count == 1 ? "" : "s"))
        << "\n";
    return out.str();
}

std::string TextFitReport::Json() const
{
    using nlohmann::json;
    json root = {{"overflows", json::array()}, {"missingTexts", json::array()},
                 {"unbound", json::array()},   {"missingGlyphs", json::array()},
                 {"fonts", json::array()},     {"problems", ProblemCount()}};
    for (const Overflow& o : overflows) {
        root["overflows"].push_back(
            {{"element", o.element},
             {"language", o.language},
             {"text", o.text},
             {"neededWidth", o.neededWidth},
             {"neededHeight", o.neededHeight},
             {"width", o.width},
             {"height", o.height},
             {"scrolls", o.scrolls},
             {"overWidth", o.scrolls ? 0 : std::max(0, o.neededWidth - o.width)},
             {"overHeight", std::max(0, o.neededHeight - o.height)}});
    }
    for (const MissingText& m : missingTexts) {
        root["missingTexts"].push_back(
            {{"string", m.string}, {"language", m.language}, {"reason", m.reason}});
    }
    for (const std::string& element : unbound) {
        root["unbound"].push_back(element);
    }
    for (const MissingGlyph& g : missingGlyphs) {
        root["missingGlyphs"].push_back({{"element", g.element},
                                         {"language", g.language},
                                         {"character", CodePointName(g.character)},
                                         {"font", g.font}});
    }
    for (const FontUse& use : fonts) {
        root["fonts"].push_back({{"script", use.script}, {"font", use.font}});
    }
    return root.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

} // namespace textcheck

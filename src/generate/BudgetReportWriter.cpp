#include "generate/BudgetReportWriter.h"

#include "generate/BuildSummary.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace generate {
namespace {

std::string ratioText(double ratio)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", ratio);
    return text;
}

std::string jsonQuoted(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string htmlEscaped(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Joins the JSON texts of `items`, one per line at `indent`.
template <typename T, typename F>
std::string jsonList(const std::vector<T>& items, const std::string& indent, F&& one)
{
    if (items.empty()) {
        return "[]";
    }
    std::string out = "[\n";
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += indent + "  " + one(items[i]) + (i + 1 < items.size() ? ",\n" : "\n");
    }
    return out + indent + "]";
}

std::string jsonIndexes(const std::vector<std::size_t>& indexes)
{
    std::string out = "[";
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        out += (i ? ", " : "") + std::to_string(indexes[i]);
    }
    return out + "]";
}

std::string pictureJson(const BudgetReport::Picture& p)
{
    return "{\"name\": " + jsonQuoted(p.name) + ", \"path\": " + jsonQuoted(p.path) +
           ", \"entry\": " + std::to_string(p.entry) + ", \"width\": " + std::to_string(p.width) +
           ", \"height\": " + std::to_string(p.height) + ", \"format\": " + jsonQuoted(p.format) +
           ", \"compression\": " + jsonQuoted(p.compression) +
           ", \"stored_bytes\": " + std::to_string(p.storedBytes) +
           ", \"raw_bytes\": " + std::to_string(p.rawBytes) +
           ", \"ratio\": " + ratioText(p.ratio()) + "}";
}

std::string whatIfJson(const BudgetReport& report, const WhatIfSizes& sizes)
{
    std::string pictures = "[";
    for (std::size_t i = 0; i < sizes.bytes.size() && i < report.pictures.size(); ++i) {
        pictures += (i ? ", " : "") + std::string("{\"name\": ") +
                    jsonQuoted(report.pictures[i].name) +
                    ", \"bytes\": " + std::to_string(sizes.bytes[i]) + "}";
    }
    pictures += "]";
    std::uint64_t total = 0;
    for (const std::uint64_t bytes : sizes.bytes) {
        total += bytes;
    }
    return "{\"format\": " + jsonQuoted(sizes.format) +
           ", \"compression\": " + jsonQuoted(sizes.compression) +
           ", \"file_bytes\": " + std::to_string(sizes.fileBytes) +
           ", \"picture_bytes\": " + std::to_string(total) + ", \"pictures\": " + pictures + "}";
}

std::string padded(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string rightAligned(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string namesOf(const BudgetReport& report, const std::vector<std::size_t>& registry)
{
    std::string out;
    for (const std::size_t position : registry) {
        const int index = report.PictureOf(position);
        std::string name =
            index >= 0 ? report.pictures[static_cast<std::size_t>(index)].name : std::string();
        for (const BudgetReport::Unpacked& unused : report.unused) {
            if (unused.registry == position) {
                name = unused.name;
            }
        }
        out += (out.empty() ? "" : ", ") + (name.empty() ? "#" + std::to_string(position) : name);
    }
    return out;
}

// Horizontal bars of the largest items, scaled to the largest.
std::string svgChart(const BudgetReport& report)
{
    const int rowHeight = 18;
    const int labelWidth = 220;
    const int barWidth = 420;
    const int height = rowHeight * static_cast<int>(report.largest.size()) + 4;
    std::ostringstream out;
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << labelWidth + barWidth + 100
        << "\" height=\"" << height << "\" role=\"img\" aria-label=\"largest items\">\n";
    const std::uint64_t top =
        report.largest.empty() ? 1 : std::max<std::uint64_t>(1, report.largest.front().bytes);
    int y = 2;
    for (const BudgetReport::Item& item : report.largest) {
        const int width =
            static_cast<int>(static_cast<double>(item.bytes) / static_cast<double>(top) * barWidth);
        out << "<text x=\"" << labelWidth - 6 << "\" y=\"" << y + 13 << "\" text-anchor=\"end\">"
            << htmlEscaped(item.name) << "</text>";
        out << "<rect x=\"" << labelWidth << "\" y=\"" << y + 2 << "\" width=\""
            << std::max(width, 1) << "\" height=\"" << rowHeight - 4 << "\" class=\"" << item.kind
            << "\"/>";
        out << "<text x=\"" << labelWidth + std::max(width, 1) + 6 << "\" y=\"" << y + 13 << "\">"
            << ByteSizeText(item.bytes) << "</text>\n";
        y += rowHeight;
    }
    out << "</svg>\n";
    return out.str();
}

std::string htmlRow(const std::vector<std::string>& cells)
{
    std::string out = "<tr>";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        out += (i == 0 ? "<td>" : "<td class=\"n\">") + htmlEscaped(cells[i]) + "</td>";
    }
    return out + "</tr>\n";
}

std::string htmlHead(const std::vector<std::string>& cells)
{
    std::string out = "<tr>";
    for (const std::string& cell : cells) {
        out += "<th>" + htmlEscaped(cell) + "</th>";
    }
    return out + "</tr>\n";
}

} // namespace

std::string BudgetReportWriter::Text(const BudgetReport& report)
{
    std::ostringstream out;
    out << "Flash budget of " << report.project << '\n';
    if (report.scratchBuild) {
        out << "(built for this report into a scratch folder, since removed)\n";
    }
    out << '\n';
    out << "Output files (" << report.files.size() << ", " << report.TotalFileBytes()
        << " bytes):\n";
    for (const BudgetReport::File& file : report.files) {
        out << "  " << rightAligned(std::to_string(file.bytes), 10) << "  " << file.path << '\n';
    }
    if (!report.pictureFile.empty()) {
        out << "\nPicture file " << report.pictureFile << ": " << report.pictureFileBytes
            << " bytes = " << report.PictureBytes() << " in " << report.pictures.size()
            << " pictures + " << report.pictureFileOverhead << " header and entry table\n";
        out << "  " << padded("picture", 24) << rightAligned("stored", 10)
            << rightAligned("raw", 10) << rightAligned("ratio", 7) << "  " << padded("format", 9)
            << padded("compr.", 7) << "size\n";
        for (const BudgetReport::Picture& p : report.pictures) {
            out << "  " << padded(p.name, 24) << rightAligned(std::to_string(p.storedBytes), 10)
                << rightAligned(std::to_string(p.rawBytes), 10)
                << rightAligned(ratioText(p.ratio()), 7) << "  " << padded(p.format, 9)
                << padded(p.compression, 7) << p.width << 'x' << p.height << '\n';
        }
    }
    if (!report.languages.empty()) {
        out << "\nString files (" << report.strings.size() << " strings, " << report.StringBytes()
            << " bytes + " << report.stringFileOverhead << " headers):\n";
        for (const BudgetReport::Language& language : report.languages) {
            out << "  " << padded(language.name, 16)
                << rightAligned(std::to_string(language.bytes), 10) << "  " << language.path
                << '\n';
        }
    }
    out << "\nScenes (a picture or string used by several scenes is counted in each; "
           "the files hold it once):\n";
    for (const BudgetReport::Scene& scene : report.scenes) {
        out << "  " << padded(scene.name, 24) << scene.pictures.size() << " pictures "
            << scene.pictureBytes << " bytes, " << scene.strings.size() << " strings "
            << scene.stringBytes << " bytes\n";
        for (const std::size_t index : scene.pictures) {
            out << "      " << padded(report.pictures[index].name, 24)
                << rightAligned(std::to_string(report.pictures[index].storedBytes), 10) << '\n';
        }
        for (const std::size_t index : scene.strings) {
            out << "      " << padded(report.strings[index].identifier, 24)
                << rightAligned(std::to_string(report.strings[index].bytes), 10) << '\n';
        }
    }
    out << "  total: " << report.PictureBytes() << " bytes of pictures, " << report.StringBytes()
        << " bytes of strings\n";
    out << "\nLargest " << report.largest.size() << " items:\n";
    for (const BudgetReport::Item& item : report.largest) {
        out << "  " << rightAligned(std::to_string(item.bytes), 10) << "  " << padded(item.kind, 8)
            << item.name << '\n';
    }
    out << "\nWaste:\n";
    out << "  pictures in no scene: " << report.unused.size() << '\n';
    for (const BudgetReport::Unpacked& unused : report.unused) {
        out << "    " << padded(unused.name, 24)
            << rightAligned(std::to_string(unused.fileBytes), 10) << "  " << unused.path << '\n';
    }
    out << "  identical pictures under different names: " << report.identical.size() << " groups\n";
    for (const auto& group : report.identical) {
        out << "    " << namesOf(report, group) << '\n';
    }
    out << "  pictures larger than the screen (" << report.screenWidth << 'x' << report.screenHeight
        << "): " << report.oversized.size() << '\n';
    for (const std::size_t index : report.oversized) {
        const BudgetReport::Picture& p = report.pictures[index];
        out << "    " << padded(p.name, 24) << p.width << 'x' << p.height << '\n';
    }
    for (const WhatIfSizes& sizes : report.whatIf) {
        std::uint64_t total = 0;
        for (const std::uint64_t bytes : sizes.bytes) {
            total += bytes;
        }
        out << "\nWhat if " << sizes.format << ", compression " << sizes.compression << ": "
            << sizes.fileBytes << " bytes (pictures " << total << ", now " << report.PictureBytes()
            << ")\n";
        for (std::size_t i = 0; i < sizes.bytes.size() && i < report.pictures.size(); ++i) {
            out << "  " << padded(report.pictures[i].name, 24)
                << rightAligned(std::to_string(sizes.bytes[i]), 10) << "  (now "
                << report.pictures[i].storedBytes << ")\n";
        }
    }
    return out.str();
}

std::string BudgetReportWriter::Json(const BudgetReport& report)
{
    std::ostringstream out;
    out << "{\n";
    out << "  \"schema\": \"skinsmith-budget-report/1\",\n";
    out << "  \"project\": " << jsonQuoted(report.project) << ",\n";
    out << "  \"scratch_build\": " << (report.scratchBuild ? "true" : "false") << ",\n";
    out << "  \"screen\": {\"width\": " << report.screenWidth
        << ", \"height\": " << report.screenHeight << "},\n";
    out << "  \"total_bytes\": " << report.TotalFileBytes() << ",\n";
    out << "  \"files\": " << jsonList(report.files, "  ", [](const BudgetReport::File& f) {
        return "{\"path\": " + jsonQuoted(f.path) + ", \"bytes\": " + std::to_string(f.bytes) + "}";
    }) << ",\n";
    if (report.pictureFile.empty()) {
        out << "  \"picture_file\": null,\n";
    } else {
        out << "  \"picture_file\": {\"path\": " << jsonQuoted(report.pictureFile)
            << ", \"bytes\": " << report.pictureFileBytes
            << ", \"overhead_bytes\": " << report.pictureFileOverhead
            << ", \"picture_bytes\": " << report.PictureBytes() << "},\n";
    }
    out << "  \"pictures\": " << jsonList(report.pictures, "  ", pictureJson) << ",\n";
    out << "  \"strings\": " << jsonList(report.strings, "  ", [](const BudgetReport::String& s) {
        return "{\"identifier\": " + jsonQuoted(s.identifier) +
               ", \"bytes\": " + std::to_string(s.bytes) + "}";
    }) << ",\n";
    out << "  \"string_files\": {\"overhead_bytes\": " << report.stringFileOverhead
        << ", \"string_bytes\": " << report.StringBytes() << ", \"languages\": "
        << jsonList(report.languages, "  ",
                    [](const BudgetReport::Language& l) {
                        return "{\"name\": " + jsonQuoted(l.name) +
                               ", \"path\": " + jsonQuoted(l.path) +
                               ", \"bytes\": " + std::to_string(l.bytes) + "}";
                    })
        << "},\n";
    out << "  \"scenes\": " << jsonList(report.scenes, "  ", [](const BudgetReport::Scene& s) {
        return "{\"name\": " + jsonQuoted(s.name) + ", \"pictures\": " + jsonIndexes(s.pictures) +
               ", \"strings\": " + jsonIndexes(s.strings) +
               ", \"picture_bytes\": " + std::to_string(s.pictureBytes) +
               ", \"string_bytes\": " + std::to_string(s.stringBytes) + "}";
    }) << ",\n";
    out << "  \"largest\": " << jsonList(report.largest, "  ", [](const BudgetReport::Item& i) {
        return "{\"kind\": " + jsonQuoted(i.kind) + ", \"name\": " + jsonQuoted(i.name) +
               ", \"bytes\": " + std::to_string(i.bytes) + "}";
    }) << ",\n";
    out << "  \"waste\": {\n    \"unused\": "
        << jsonList(report.unused, "    ",
                    [](const BudgetReport::Unpacked& u) {
                        return "{\"name\": " + jsonQuoted(u.name) +
                               ", \"path\": " + jsonQuoted(u.path) +
                               ", \"file_bytes\": " + std::to_string(u.fileBytes) + "}";
                    })
        << ",\n    \"identical\": "
        << jsonList(report.identical, "    ",
                    [&](const std::vector<std::size_t>& group) {
                        std::string names = "[";
                        for (const std::size_t position : group) {
                            names += (names.size() > 1 ? ", " : "") +
                                     jsonQuoted(namesOf(report, {position}));
                        }
                        return names + "]";
                    })
        << ",\n    \"oversized\": " << jsonIndexes(report.oversized) << "\n  },\n";
    out << "  \"what_if\": " << jsonList(report.whatIf, "  ", [&](const WhatIfSizes& sizes) {
        return whatIfJson(report, sizes);
    }) << "\n}\n";
    return out.str();
}

std::string BudgetReportWriter::Html(const BudgetReport& report)
{
    std::ostringstream out;
    out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n<title>Flash "
           "budget: "
        << htmlEscaped(report.project) << "</title>\n<style>\n"
        << "body{font-family:sans-serif;margin:1.5em;color:#222}"
           "table{border-collapse:collapse;margin:.5em 0 1.5em}"
           "td,th{border:1px solid #ccc;padding:2px 8px;text-align:left}"
           "td.n{text-align:right;font-variant-numeric:tabular-nums}"
           "th{background:#eee}svg text{font-size:12px;font-family:sans-serif}"
           "rect.picture{fill:#4a7ab5}rect.string{fill:#d08a2e}\n"
        << "</style></head><body>\n";
    out << "<h1>Flash budget</h1>\n<p>" << htmlEscaped(report.project) << "<br>"
        << report.files.size() << " output files, " << report.TotalFileBytes() << " bytes ("
        << ByteSizeText(report.TotalFileBytes()) << ")</p>\n";
    out << "<h2>Largest items</h2>\n" << svgChart(report);
    out << "<h2>Output files</h2>\n<table>\n" << htmlHead({"File", "Bytes"});
    for (const BudgetReport::File& file : report.files) {
        out << htmlRow({file.path, std::to_string(file.bytes)});
    }
    out << "</table>\n";
    if (!report.pictureFile.empty()) {
        out << "<h2>Pictures</h2>\n<p>" << htmlEscaped(report.pictureFile) << ": "
            << report.pictureFileBytes << " bytes = " << report.PictureBytes() << " in pictures + "
            << report.pictureFileOverhead << " header and entry table</p>\n<table>\n"
            << htmlHead({"Picture", "Stored bytes", "Raw bytes", "Ratio", "Format", "Compression",
                         "Size"});
        for (const BudgetReport::Picture& p : report.pictures) {
            out << htmlRow({p.name, std::to_string(p.storedBytes), std::to_string(p.rawBytes),
                            ratioText(p.ratio()), p.format, p.compression,
                            std::to_string(p.width) + "x" + std::to_string(p.height)});
        }
        out << "</table>\n";
    }
    if (!report.languages.empty()) {
        out << "<h2>String files</h2>\n<table>\n" << htmlHead({"Language", "Bytes", "File"});
        for (const BudgetReport::Language& l : report.languages) {
            out << htmlRow({l.name, std::to_string(l.bytes), l.path});
        }
        out << "</table>\n";
    }
    out << "<h2>Scenes</h2>\n<p>A picture used by several scenes is listed in each; the files "
           "hold it once.</p>\n<table>\n"
        << htmlHead({"Scene", "Pictures", "Picture bytes", "Strings", "String bytes"});
    for (const BudgetReport::Scene& s : report.scenes) {
        out << htmlRow({s.name, std::to_string(s.pictures.size()), std::to_string(s.pictureBytes),
                        std::to_string(s.strings.size()), std::to_string(s.stringBytes)});
    }
    out << htmlRow({"Total (each once)", std::to_string(report.pictures.size()),
                    std::to_string(report.PictureBytes()), std::to_string(report.strings.size()),
                    std::to_string(report.StringBytes())});
    out << "</table>\n<h2>Waste</h2>\n<table>\n" << htmlHead({"Kind", "Pictures"});
    std::string unused;
    for (const BudgetReport::Unpacked& u : report.unused) {
        unused += (unused.empty() ? "" : ", ") + u.name;
    }
    out << htmlRow({"In no scene", unused});
    for (const auto& group : report.identical) {
        out << htmlRow({"Identical pixels", namesOf(report, group)});
    }
    std::string oversized;
    for (const std::size_t index : report.oversized) {
        oversized += (oversized.empty() ? "" : ", ") + report.pictures[index].name;
    }
    out << htmlRow({"Larger than the screen", oversized}) << "</table>\n";
    for (const WhatIfSizes& sizes : report.whatIf) {
        out << "<h2>What if " << htmlEscaped(sizes.format) << ", compression "
            << htmlEscaped(sizes.compression) << "</h2>\n<p>Picture file: " << sizes.fileBytes
            << " bytes (now " << report.pictureFileBytes << ")</p>\n<table>\n"
            << htmlHead({"Picture", "Bytes", "Now"});
        for (std::size_t i = 0; i < sizes.bytes.size() && i < report.pictures.size(); ++i) {
            out << htmlRow({report.pictures[i].name, std::to_string(sizes.bytes[i]),
                            std::to_string(report.pictures[i].storedBytes)});
        }
        out << "</table>\n";
    }
    out << "</body></html>\n";
    return out.str();
}

} // namespace generate

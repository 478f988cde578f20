// String table import of 20,000 strings in 10 languages, by both routes, against the
// floor of only reading the same file's lines with CStdioFileEx (also after asking the
// file's length, which must not slow the reading down). The ratios are printed
// after the run. With /usr/bin/python3 and xlwt present, one extra run converts a
// generated .xls with the converter program as well (end to end).

#include "model/StringRegistry.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"
#include "platform/UserInteraction.h"
#include "strings/CStdioFileEx.h"
#include "strings/StringTableImport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>

namespace {

constexpr int kStrings = 20000;
constexpr int kLanguages = 10;

std::string textFor(int row, int language)
{
    static const char* const kWords[] = {"确定", "Cancel", "موافق", "Menü", "设置菜单"};
    return std::string(kWords[(row + language) % 5]) + " " + std::to_string(row) + "-" +
           std::to_string(language);
}

std::string utf16le(const std::string& utf8);

class Tables
{
public:
    Tables()
    {
        writeText();
        writeConverted();
    }
    const std::string& text() const { return m_text; }
    const std::string& converted() const { return m_converted; }
    std::string path(const std::string& name) const { return m_dir.filePath(name); }

private:
    void writeText()
    {
        std::ofstream out(m_text = m_dir.filePath("strings.txt"), std::ios::binary);
        out << "name=[RESLAN]\r\n";
        for (int l = 0; l < kLanguages; ++l) {
            out << "string=lang" << l << "\r\n";
        }
        for (int row = 0; row < kStrings; ++row) {
            // Names of eight characters at most, so none is cut into a duplicate.
            out << "\r\nname=S" << row << "\r\n";
            for (int l = 0; l < kLanguages; ++l) {
                out << "string=" << textFor(row, l) << "\r\n";
            }
        }
    }
    void writeConverted()
    {
        std::string text = "ResID([CR]:n)\tCheck";
        std::string names = "[RESLAN]\t";
        for (int l = 0; l < kLanguages; ++l) {
            text += "\tLanguage " + std::to_string(l);
            names += "\tlang" + std::to_string(l);
        }
        text += "\r\n" + names + "\r\n";
        for (int row = 0; row < kStrings; ++row) {
            text += "IDS_STRING_" + std::to_string(row) + "\t";
            for (int l = 0; l < kLanguages; ++l) {
                text += "\t" + (l == 3 ? std::string() : textFor(row, l) + "[CR]x");
            }
            text += "\r\n";
        }
        std::ofstream(m_converted = m_dir.filePath("tmp.csv"), std::ios::binary)
            << "\xFF\xFE" << utf16le(text);
    }

    platform::TemporaryDirectory m_dir{"bench-import"};
    std::string m_text;
    std::string m_converted;
};

std::string utf16le(const std::string& utf8)
{
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        unsigned code = c;
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        code = extra == 0 ? c : c & (0x3F >> extra);
        for (++i; extra-- > 0; ++i) {
            code = code << 6 | (static_cast<unsigned char>(utf8[i]) & 0x3F);
        }
        bytes += static_cast<char>(code & 0xFF);
        bytes += static_cast<char>(code >> 8);
    }
    return bytes;
}

const Tables& tables()
{
    static const Tables generated;
    return generated;
}

// `askLength`: ask the file's length first, as a reader that shows progress does.
void readLines(benchmark::State& state, const std::string& path, bool askLength = false)
{
    for (auto _ : state) {
        CStdioFileEx file;
        file.Open(path, CStdioFileEx::modeRead);
        if (askLength) {
            benchmark::DoNotOptimize(file.GetLength());
        }
        std::string line;
        std::size_t lines = 0;
        while (file.ReadString(line)) {
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
}

template <typename Import>
void importInto(benchmark::State& state, Import import)
{
    for (auto _ : state) {
        auto list = std::make_unique<StringRegistry>();
        const std::uint32_t next = import(*list);
        if (list->Size() != kStrings || next != kStrings + 1) {
            state.SkipWithError("the import lost strings");
            break;
        }
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
}

void BM_TextFloor(benchmark::State& state)
{
    readLines(state, tables().text());
}

void BM_TextLinesAfterLength(benchmark::State& state)
{
    readLines(state, tables().text(), true);
}

void BM_TextImport(benchmark::State& state)
{
    const StringTableImport import;
    importInto(state,
               [&](StringRegistry& list) { return import.ImportText(list, tables().text(), 1); });
}

void BM_SpreadsheetFloor(benchmark::State& state)
{
    readLines(state, tables().converted());
}

void BM_SpreadsheetImport(benchmark::State& state)
{
    const StringTableImport import;
    importInto(state, [&](StringRegistry& list) {
        return import.ImportConverted(list, tables().converted());
    });
}

// Writes the same table as a workbook; returns its path, or "" without xlwt.
std::string generatedWorkbook()
{
    const std::string script = tables().path("make.py");
    const std::string workbook = tables().path("strings.xls");
    std::ofstream(script)
        << "import sys, xlwt\n"
           "book = xlwt.Workbook(encoding='utf-8')\n"
           "sheet = book.add_sheet('S')\n"
           "words = ['确定', 'Cancel', 'موافق', 'Menü', '设置菜单']\n"
           "sheet.write(0, 0, 'ResID')\n"
           "for l in range(10):\n"
           "    sheet.write(0, l + 1, 'Language %d' % l)\n"
           "for r in range(20000):\n"
           "    sheet.write(r + 1, 0, 'IDS_STRING_%d' % r)\n"
           "    for l in range(10):\n"
           "        sheet.write(r + 1, l + 1, '%s %d-%d' % (words[(r + l) % 5], r, l))\n"
           "book.save(sys.argv[1])\n";
    const std::string command = "/usr/bin/python3 '" + script + "' '" + workbook + "' 2>/dev/null";
    return std::system(command.c_str()) == 0 ? workbook : std::string();
}

void BM_SpreadsheetEndToEnd(benchmark::State& state)
{
    static const std::string workbook = generatedWorkbook();
    if (workbook.empty()) {
        state.SkipWithError("no /usr/bin/python3 with xlwt to write the workbook");
        return;
    }
    const StringTableImport import;
    importInto(state,
               [&](StringRegistry& list) { return import.ImportSpreadsheet(list, workbook); });
}

BENCHMARK(BM_TextFloor)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_TextLinesAfterLength)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_TextImport)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_SpreadsheetFloor)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_SpreadsheetImport)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_SpreadsheetEndToEnd)->Unit(benchmark::kMillisecond)->Iterations(3);

// Prints as usual and keeps each benchmark's time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Iteration) {
                keepFastest(run.run_name.function_name,
                            {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()});
            }
        }
    }
    void printRatio(const char* what, const char* import, const char* floor) const
    {
        const auto i = m_times.find(import);
        const auto f = m_times.find(floor);
        if (i != m_times.end() && f != m_times.end()) {
            std::printf("%s: %.2fx the floor (reading the lines alone), CPU time %.2fx\n", what,
                        i->second.first / f->second.first, i->second.second / f->second.second);
        }
    }

private:
    using Times = std::pair<double, double>; // real and CPU time per iteration

    // The fastest repetition is the one least disturbed by other work on the machine.
    void keepFastest(const std::string& name, const Times& times)
    {
        const auto known = m_times.find(name);
        if (known == m_times.end()) {
            m_times.emplace(name, times);
            return;
        }
        known->second.first = std::min(known->second.first, times.first);
        known->second.second = std::min(known->second.second, times.second);
    }

    std::map<std::string, Times> m_times;
};

} // namespace

int main(int argc, char** argv)
{
    // Progress goes nowhere, so only the work is measured; messages would mean a fault.
    platform::ScriptedInteraction quiet;
    quiet.keepRecords(false);
    quiet.echoTo(&std::cerr, platform::ScriptedInteraction::Echo::Messages);
    platform::ScopedInteraction scope(quiet);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("lines read after asking the length", "BM_TextLinesAfterLength",
                        "BM_TextFloor");
    reporter.printRatio("text route", "BM_TextImport", "BM_TextFloor");
    reporter.printRatio("spreadsheet route (parse of the converted file)", "BM_SpreadsheetImport",
                        "BM_SpreadsheetFloor");
    reporter.printRatio("spreadsheet end to end (converter included)", "BM_SpreadsheetEndToEnd",
                        "BM_SpreadsheetFloor");
    benchmark::Shutdown();
    return 0;
}

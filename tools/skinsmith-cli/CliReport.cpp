// skinsmith-cli report: where a project's flash goes, read from its built outputs.

#include "CliBuildOptions.h"
#include "CliCommand.h"
#include "CliProjectSession.h"

#include "generate/BudgetReport.h"
#include "generate/BudgetReportWriter.h"
#include "generate/ReportOutputs.h"
#include "generate/WhatIfSizes.h"
#include "platform/UiText.h"
#include "projectfile/SettingsAccessor.h"

#include <fstream>
#include <iostream>

namespace {

const char kUsage[] =
    "Usage: skinsmith-cli report PROJECT.ui [--json | --html FILE] [--what-if FORMAT[,COMPR]]...\n"
    "\n"
    "Reports where the flash goes: every output file with its size; every picture's bytes in\n"
    "the picture resource file (stored, raw, pixel format, compression ratio); each scene's\n"
    "pictures and strings; each language's string file; the 20 largest items; and waste:\n"
    "pictures no scene uses, pictures with identical pixels under different names, pictures\n"
    "larger than the screen. The pictures' stored bytes plus the file's header and entry\n"
    "table are the picture file's size exactly.\n"
    "\n"
    "The outputs of the previous build are read when they exist and are newer than the\n"
    "project file, its pictures and string tables; otherwise the project is built with the\n"
    "options of section CONFIG of SkinSmith.ini into a scratch folder, which is removed\n"
    "afterwards. The project's own files are never written.\n"
    "\n"
    "Options:\n"
    "  --json              write the report as JSON (docs/report-schema.md) to standard output\n"
    "  --html FILE         write the report as one self-contained HTML page to FILE\n"
    "  --what-if FORMAT[,COMPR]\n"
    "                      also give every picture's bytes packed in pixel format FORMAT\n"
    "                      (RGB565, ARGB565, RGB888, ARGB8888, ARGB6666, ARGB1555, Watch)\n"
    "                      and compression COMPR (none, lz4 or rle; default: as built),\n"
    "                      converted by the packer; may be given more than once\n"
    "  --rebuild           build into a scratch folder even when the outputs are current\n"
    "  -h, --help          show this help\n"
    "\n"
    "Exit status: 0 the report was written, 1 the project could not be loaded or built, its\n"
    "outputs could not be read or the HTML file could not be written, 2 usage error.\n";

int runReport(const std::vector<std::string>& args);

const CliCommand kCommand{"report", "report where a project's flash goes", kUsage, runReport};

struct WhatIf
{
    int format = 0;
    int compression = -1; // 0 none, 1 RLE, 2 LZ4; -1 as built
};

struct ReportArguments
{
    std::string project;
    bool json = false;
    std::string html;
    bool rebuild = false;
    std::vector<WhatIf> whatIf;
};

bool parseWhatIf(const std::string& value, WhatIf& whatIf)
{
    const std::size_t comma = value.find(',');
    const auto format = pixelFormatCode(value.substr(0, comma));
    if (!format) {
        return false;
    }
    whatIf.format = *format;
    if (comma == std::string::npos) {
        return true;
    }
    const std::string compression = value.substr(comma + 1);
    if (compression == "none") {
        whatIf.compression = 0;
    } else if (compression == "rle") {
        whatIf.compression = 1;
    } else if (compression == "lz4") {
        whatIf.compression = 2;
    } else {
        return false;
    }
    return true;
}

bool parseArguments(const std::vector<std::string>& args, ReportArguments& parsed,
                    std::string& problem)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--json") {
            parsed.json = true;
        } else if (arg == "--rebuild") {
            parsed.rebuild = true;
        } else if (arg == "--html" || arg == "--what-if") {
            if (!hasValue) {
                problem = platform::formatText(platform::toolText("%s needs a value"), arg.c_str());
                return false;
            }
            const std::string& value = args[++i];
            WhatIf whatIf;
            if (arg == "--html") {
                parsed.html = value;
            } else if (parseWhatIf(value, whatIf)) {
                parsed.whatIf.push_back(whatIf);
            } else {
                problem = "--what-if takes FORMAT or FORMAT,none|lz4|rle, not \"" + value + "\"";
                return false;
            }
        } else if (!arg.empty() && arg[0] == '-') {
            problem = platform::formatText(platform::toolText("unknown option %s"), arg.c_str());
            return false;
        } else if (!parsed.project.empty()) {
            problem = "more than one project file given";
            return false;
        } else {
            parsed.project = arg;
        }
    }
    if (parsed.project.empty()) {
        problem = platform::toolText("no project file given");
        return false;
    }
    if (parsed.json && !parsed.html.empty()) {
        problem = "--json and --html cannot be used together";
        return false;
    }
    return true;
}

int failed(const std::string& message)
{
    std::cerr << "skinsmith-cli report: " << message << '\n';
    return kExitFailed;
}

// Scratch paths mean nothing once the folder is gone: they are shown below "(scratch)".
void relabel(std::string& path, const std::string& scratch)
{
    if (!scratch.empty() && path.compare(0, scratch.size(), scratch) == 0) {
        path = "(scratch)" + path.substr(scratch.size());
    }
}

void relabelScratchPaths(generate::BudgetReport& report, const std::string& scratch)
{
    for (generate::BudgetReport::File& file : report.files) {
        relabel(file.path, scratch);
    }
    relabel(report.pictureFile, scratch);
    for (generate::BudgetReport::Language& language : report.languages) {
        relabel(language.path, scratch);
    }
}

bool addWhatIf(const APStyleProject& project, const WhatIf& whatIf,
               generate::ResourceBuildOptions options, generate::BudgetReport& report,
               std::string& error)
{
    options.format = whatIf.format;
    if (whatIf.compression >= 0) {
        options.compress = whatIf.compression != 0;
        options.compressType = whatIf.compression == 0 ? options.compressType : whatIf.compression;
    }
    std::vector<std::size_t> positions;
    for (const generate::BudgetReport::Picture& picture : report.pictures) {
        positions.push_back(picture.registry);
    }
    generate::WhatIfSizes sizes;
    if (!generate::WhatIfSizes::Compute(project, positions, options, sizes, error)) {
        return false;
    }
    report.whatIf.push_back(std::move(sizes));
    return true;
}

int runReport(const std::vector<std::string>& args)
{
    ReportArguments parsed;
    std::string problem;
    if (!parseArguments(args, parsed, problem)) {
        return usageError(kCommand, problem);
    }
    const SettingsAccessor settings(SettingsAccessor::defaultPath());
    const generate::ResourceBuildOptions options = generate::readResourceBuildOptions(settings);

    CliProjectSession session(kCommand);
    APStyleProject* project = session.load(parsed.project);
    if (!project) {
        return kExitFailed;
    }
    generate::ReportOutputs outputs(*project);
    generate::BudgetReport report;
    std::string error;
    bool read = !parsed.rebuild && outputs.UsePrevious() &&
                generate::BudgetReport::Read(*project, outputs.outputs(), report, error,
                                             options.splitPackStart);
    if (!read) {
        const std::string why = parsed.rebuild             ? "--rebuild"
                                : outputs.reason().empty() ? error
                                                           : outputs.reason();
        std::cerr << "skinsmith-cli report: building into a scratch folder (" << why << ")\n";
        if (!outputs.BuildInScratch(options)) {
            return failed("the build stopped: " + outputs.reason());
        }
        if (!generate::BudgetReport::Read(*project, outputs.outputs(), report, error,
                                          options.splitPackStart)) {
            return failed(error);
        }
        report.project = parsed.project;
        report.scratchBuild = true;
        relabelScratchPaths(report, outputs.scratchFolder());
    }
    for (const WhatIf& whatIf : parsed.whatIf) {
        if (!addWhatIf(*project, whatIf, options, report, error)) {
            return failed(error);
        }
    }
    if (!parsed.html.empty()) {
        std::ofstream out(parsed.html, std::ios::binary | std::ios::trunc);
        out << generate::BudgetReportWriter::Html(report);
        out.close();
        if (!out) {
            return failed("cannot write " + parsed.html);
        }
        return kExitOk;
    }
    std::cout << (parsed.json ? generate::BudgetReportWriter::Json(report)
                              : generate::BudgetReportWriter::Text(report));
    return kExitOk;
}

} // namespace

const CliCommand& reportCommand()
{
    return kCommand;
}

// sty_conv: the SDK's style converter, run by the resource build after the resource files
// exist. It checks a style file against its style header and leaves a valid file as it is.

#include "components/packing/ResFileReader.h"
#include "generate/StyleConverter.h"
#include "generate/StyleFileCheck.h"
#include "generate/StyleFileReader.h"
#include "platform/FileSystem.h"
#include "platform/ProgramVersion.h"
#include "platform/LanguageOption.h"
#include "platform/UiText.h"

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitProblems = 1;
constexpr int kExitUsage = 2;

void printUsage(std::ostream& out)
{
    out << "Usage: sty_conv STYLE_FILE PICTURE_RES_FILE OUTPUT_STYLE_FILE STYLE_HEADER "
           "STRING_RES_DIR\n"
           "\n"
           "Checks a style file written by SkinSmith: its header, that the scene table tiles the\n"
           "file, every record's kind, member count and next-sibling offset, and that every\n"
           "scene and element name hash has a define in STYLE_HEADER and, when\n"
           "PICTURE_RES_FILE exists and is a full file, that every picture identifier names\n"
           "one of its entries. A valid file is left byte for byte as it is (and copied to\n"
           "OUTPUT_STYLE_FILE when that names another file). STRING_RES_DIR is accepted and\n"
           "not read. The identifier base comes from the environment variable\n"
           "SKINSMITH_IDENTIFIER_BASE, which the build sets; without it, it is 10000 when\n"
           "every picture identifier is above 10000, else 0. See docs/styles.md.\n"
           "\n"
           "Problems are printed on standard error, one per line; --lang zh|en (before or\n"
           "after the arguments) sets their language, else the locale does.\n"
           "'sty_conv --version' prints the version.\n"
           "Exit status: 0 valid, 1 problems found, 2 usage error.\n";
}

std::optional<std::string> readOrReport(const std::string& path, const char* what,
                                        std::vector<std::string>& problems)
{
    std::error_code error;
    std::optional<std::string> bytes = platform::readFile(path, &error);
    if (!bytes) {
        problems.push_back(platform::formatText(platform::toolText("cannot read the %s %s: %s"),
                                                platform::toolText(what), path.c_str(),
                                                error.message().c_str()));
    }
    return bytes;
}

// The identifier base the build numbered the pictures from, which it passes in the
// environment; nothing when the converter is run by hand without it.
std::optional<std::size_t> identifierBase(std::vector<std::string>& problems)
{
    const char* text = std::getenv(generate::kIdentifierBaseVariable);
    if (text == nullptr || *text == '\0') {
        return std::nullopt;
    }
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (*end != '\0' || value > 65535) {
        problems.push_back(platform::formatText(platform::toolText("%s is not a number: %s"),
                                                generate::kIdentifierBaseVariable, text));
        return std::nullopt;
    }
    return value;
}

// A split-pack file or a part holds only some of the pictures, from its start index on; the
// identifiers of a full file (start index 0) must each name one of its entries.
void checkPictureIds(const generate::StyleFileContent& content, const std::string& stylePath,
                     const std::string& picturePath, std::vector<std::string>& problems)
{
    packing::ResFileReader pictures;
    if (!pictures.load(picturePath)) {
        problems.push_back(picturePath + ": " + pictures.error());
        return;
    }
    if (pictures.header().startIndex != 0) {
        return;
    }
    const std::optional<std::size_t> base = identifierBase(problems);
    for (const std::string& problem :
         generate::unknownPictureIds(content, pictures.entries().size(), base)) {
        problems.push_back(stylePath + ": " + problem);
    }
}

std::vector<std::string> check(const std::vector<std::string>& args)
{
    const std::string& stylePath = args[0];
    const std::string& picturePath = args[1];
    const std::string& outputPath = args[2];
    const std::string& headerPath = args[3];

    std::vector<std::string> problems;
    const std::optional<std::string> style =
        readOrReport(stylePath, N_TOOL("style file"), problems);
    const std::optional<std::string> header =
        readOrReport(headerPath, N_TOOL("style header"), problems);
    if (!style) {
        return problems;
    }
    generate::StyleFileReader reader;
    const std::optional<generate::StyleFileContent> content = reader.read(*style);
    if (!content) {
        problems.push_back(stylePath + ": " + reader.error());
        return problems;
    }
    if (header) {
        for (const std::string& problem : generate::undefinedNameHashes(*content, *header)) {
            problems.push_back(stylePath + ": " + problem);
        }
    }
    if (platform::pathExists(picturePath)) {
        checkPictureIds(*content, stylePath, picturePath, problems);
    }
    if (problems.empty() && outputPath != stylePath &&
        !platform::writeFileAtomically(outputPath, *style)) {
        problems.push_back(
            platform::formatText(platform::toolText("cannot write %s"), outputPath.c_str()));
    }
    return problems;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string languageProblem;
    if (!platform::activateLanguageOption(args, languageProblem)) {
        std::cerr << "sty_conv: " << languageProblem << "\n\n";
        printUsage(std::cerr);
        return kExitUsage;
    }
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        printUsage(std::cout);
        return kExitOk;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << platform::versionLine("sty_conv") << '\n';
        return kExitOk;
    }
    if (args.size() != 5) {
        std::cerr << "sty_conv: "
                  << platform::formatText(platform::toolText("expected 5 arguments, got %zu"),
                                          args.size())
                  << "\n\n";
        printUsage(std::cerr);
        return kExitUsage;
    }
    const std::vector<std::string> problems = check(args);
    for (const std::string& problem : problems) {
        std::cerr << problem << '\n';
    }
    return problems.empty() ? kExitOk : kExitProblems;
}

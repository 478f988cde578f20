// skinsmith-cli build: the unattended resource build of a project, as the editor runs it
// when started with a project file, with the options of this run given on the command line.

#include "CliBuildOptions.h"
#include "CliCommand.h"
#include "CliProject.h"

#include "generate/UnattendedBuild.h"
#include "projectfile/SettingsAccessor.h"

#include <unistd.h>

#include <iostream>

namespace {

const char kUsage[] = "Usage: skinsmith-cli build PROJECT.ui [OPTIONS]\n"
                      "\n"
                      "Builds the resources of PROJECT.ui without a window: style file and "
                      "header, picture\n"
                      "resource file, string files per language, character sets, the style "
                      "converter and the\n"
                      "desktop entry file. The project file is saved first, with the pictures' "
                      "sizes taken\n"
                      "from their files. Options not given come from section CONFIG of "
                      "SkinSmith.ini beside\n"
                      "the program. Messages go to standard error; questions get their default "
                      "answers.\n"
                      "\n"
                      "Options:\n"
                      "  --format NAME          pixel format: RGB565, ARGB565, RGB888, ARGB888 "
                      "(or ARGB8888),\n"
                      "                         ARGB6666, ARGB1555 or Watch; any case\n"
                      "  --compress             compress the picture resource file\n"
                      "  --no-compress          do not compress it\n"
                      "  --compress-type TYPE   lz4 or rle\n"
                      "  --quality best|small   best quality, or smallest size\n"
                      "  --raw-jpeg             pack JPEG files with their JPEG data unchanged\n"
                      "  --split-pack START     the picture file holds only pictures of layer id "
                      ">= START\n"
                      "  --split-size-mb N      cut the compressed picture file into parts of N "
                      "megabytes;\n"
                      "                         refused unless compression is on (--compress "
                      "or the\n"
                      "                         settings), as only compressed files are cut\n"
                      "  --tile WxH             compress in tiles of W x H pixels\n"
                      "  --debug                keep the intermediate files (as -DebugMode)\n"
                      "  --strict               stop at a damaged picture that still decodes (a "
                      "PNG chunk\n"
                      "                         whose CRC does not match) instead of warning\n"
                      "  --threads N            convert pictures on N threads (default: one per "
                      "core);\n"
                      "                         the output does not depend on it\n"
                      "  --cache DIR            keep finished pictures in DIR (default: the "
                      "settings' CACHE_DIR,\n"
                      "                         else $XDG_CACHE_HOME/skinsmith or "
                      "~/.cache/skinsmith)\n"
                      "  --no-cache             convert every picture again and keep nothing\n"
                      "  --timings              print the time of each phase and pictures per "
                      "second\n"
                      "  -h, --help             show this help\n"
                      "\n"
                      "Exit status: 0 the build ran to its end, 1 it stopped or a step failed "
                      "(the reason on\n"
                      "standard error), 2 usage error.\n";

int runBuild(const std::vector<std::string>& args);

const CliCommand kCommand{"build", "build a project's resources unattended", kUsage, runBuild};

int runBuild(const std::vector<std::string>& args)
{
    CliBuildArguments parsed;
    std::string problem;
    if (!parseBuildArguments(args, parsed, problem)) {
        return usageError(kCommand, problem);
    }
    const SettingsAccessor settings(SettingsAccessor::defaultPath());
    generate::ResourceBuildOptions options = generate::readResourceBuildOptions(settings);
    applyBuildArguments(parsed, options);
    const std::string conflict = checkSplitNeedsCompression(parsed, options);
    if (!conflict.empty()) {
        return usageError(kCommand, conflict);
    }
    options.unattended = true;

    generate::UnattendedBuild build(parsed.project, options, std::cerr);
    build.SetProgramName("skinsmith-cli build");
    build.SetProgressBar(isatty(STDERR_FILENO) != 0);
    build.SetTimings(parsed.timings);
    return build.Run() == generate::UnattendedBuild::kBuilt ? kExitOk : kExitFailed;
}

} // namespace

const CliCommand& buildCommand()
{
    return kCommand;
}

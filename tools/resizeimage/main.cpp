// resizeimage: resizes the pictures of an application set from one screen size to another.

#include "PictureResizer.h"
#include "ResizeParameters.h"

#include "platform/FileSystem.h"
#include "platform/LanguageOption.h"
#include "platform/Path.h"
#include "platform/ProgramVersion.h"
#include "platform/UiText.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char kUsage[] =
    "Usage: resizeimage \"string = src_width = W; src_height = H; dst_width = W; dst_height = H;\n"
    "                    src_apps_dir = DIR; src_res_dir = REL; dst_apps_dir = DIR;\n"
    "                    upright_dir_name = NAME; sidelong_dir_name = NAME;\"\n"
    "\n"
    "Resizes every picture (PNG, BMP, JPEG) below SRC_APPS/REL/UPRIGHT and SRC_APPS/REL/SIDELONG\n"
    "from the source to the destination screen size and writes it, in the same format, under\n"
    "the same relative path below DST_APPS/REL. Upright pictures are scaled by dst_width /\n"
    "src_width across and dst_height / src_height down; the sideways folder holds pictures\n"
    "for the screen turned a quarter, so its factors are exchanged. PNG keeps its alpha\n"
    "channel. A picture that cannot be read is reported and skipped; no file is ever left\n"
    "half-written. Pictures are resized in parallel, one per processor core.\n"
    "\n"
    "\n"
    "Options:\n"
    "  --lang zh|en  the language of the messages (default: from the locale)\n"
    "  -h, --help    show this help\n"
    "  --version     print the version\n"
    "\n"
    "Exit status: 0 every picture was resized, 1 some could not be, 2 usage error.\n";

struct Job
{
    std::string from;
    std::string to;
    double factorX;
    double factorY;
};

void addFolder(const std::string& source, const std::string& destination, double factorX,
               double factorY, std::vector<Job>& jobs)
{
    std::error_code error;
    fs::recursive_directory_iterator it(source, error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_regular_file(error) && PictureResizer::isPicture(it->path().string())) {
            const fs::path relative = fs::relative(it->path(), source, error);
            jobs.push_back({it->path().string(), (fs::path(destination) / relative).string(),
                            factorX, factorY});
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string languageProblem;
    if (!platform::activateLanguageOption(args, languageProblem)) {
        std::cerr << "resizeimage: " << languageProblem << "\n\n" << kUsage;
        return 2;
    }
    if (args.size() == 1 && (args[0] == "-h" || args[0] == "--help")) {
        std::cout << kUsage;
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << platform::versionLine("resizeimage") << '\n';
        return 0;
    }
    if (args.size() != 1) {
        std::cerr << "resizeimage: " << platform::toolText("one argument, the parameter text")
                  << "\n\n"
                  << kUsage;
        return 2;
    }
    ResizeParameters p;
    std::string problem;
    if (!parseResizeParameters(args[0], p, problem)) {
        std::cerr << "resizeimage: " << problem << "\n\n" << kUsage;
        return 2;
    }
    const std::string relative = platform::storedToNative(p.resourceDirectory);
    if (platform::isAbsolutePath(relative)) {
        std::cerr << "resizeimage: "
                  << platform::toolText("src_res_dir must be relative to the apps directories")
                  << '\n';
        return 2;
    }
    const std::string sourceRes = platform::canonicalPath(
        platform::joinPath(platform::storedToNative(p.sourceAppsDirectory), relative));
    const std::string destinationRes = platform::canonicalPath(
        platform::joinPath(platform::storedToNative(p.destinationAppsDirectory), relative));
    if (!platform::isDirectory(sourceRes)) {
        std::cerr << "resizeimage: "
                  << platform::formatText(platform::toolText("%s is no directory"),
                                          sourceRes.c_str())
                  << '\n';
        return 1;
    }
    const double across = double(p.destinationWidth) / p.sourceWidth;
    const double down = double(p.destinationHeight) / p.sourceHeight;
    std::vector<Job> jobs;
    addFolder(platform::joinPath(sourceRes, p.uprightFolder),
              platform::joinPath(destinationRes, p.uprightFolder), across, down, jobs);
    addFolder(platform::joinPath(sourceRes, p.sidewaysFolder),
              platform::joinPath(destinationRes, p.sidewaysFolder), down, across, jobs);

    std::atomic<std::size_t> next{0};
    std::atomic<int> failed{0};
    std::size_t done = 0;
    std::mutex reporting;
    auto worker = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++) {
            std::string error;
            const bool ok = PictureResizer::resize(jobs[i].from, jobs[i].to, jobs[i].factorX,
                                                   jobs[i].factorY, error);
            failed += ok ? 0 : 1;
            const std::lock_guard<std::mutex> lock(reporting);
            ++done;
            // Flushed line by line: the editor shows the lines as they come through a pipe.
            if (ok) {
                std::cout << "[" << done << "/" << jobs.size() << "] " << jobs[i].to << std::endl;
            } else {
                std::cout << "[" << done << "/" << jobs.size() << "] skipped: " << error
                          << std::endl;
            }
        }
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> threads;
    for (unsigned i = 1; i < cores && i < jobs.size(); ++i) {
        threads.emplace_back(worker);
    }
    worker();
    for (std::thread& thread : threads) {
        thread.join();
    }
    std::cout << "resizeimage: " << jobs.size() << " pictures, " << jobs.size() - failed
              << " resized, " << failed << " skipped\n";
    return failed == 0 ? 0 : 1;
}

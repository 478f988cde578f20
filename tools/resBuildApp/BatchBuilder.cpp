#include "BatchBuilder.h"

#include "platform/AsciiCase.h"
#include "platform/ChildProcess.h"
#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"
#include "platform/UiText.h"
#include "projectfile/XmlText.h"

#include <tinyxml.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <regex>
#include <set>
#include <thread>
#include <utility>

namespace fs = std::filesystem;

namespace {

// The project's own desktop switch, read from its file without loading the project: the
// desktop step of a project that has it off is no failure, it is skipped.
bool desktopSwitchOn(const std::string& project)
{
    std::optional<std::string> text = platform::readFile(project);
    TiXmlDocument document;
    if (text) {
        ParseXmlText(document, std::move(*text), TIXML_ENCODING_UNKNOWN);
    }
    if (!text || document.Error()) {
        return true; // let skinsmith-cli say what is wrong with it
    }
    const TiXmlElement* root = document.RootElement();
    for (const TiXmlElement* p = root ? root->FirstChildElement("property") : nullptr; p;
         p = p->NextSiblingElement("property")) {
        const char* name = p->Attribute("name");
        if (name != nullptr && std::strcmp(name, "desktop_file_create") == 0) {
            const char* value = p->Attribute("value");
            return value != nullptr && std::strtol(value, nullptr, 16) != 0;
        }
    }
    return false;
}

std::string lastLine(const std::string& text)
{
    std::size_t end = text.find_last_not_of("\r\n");
    if (end == std::string::npos) {
        return {};
    }
    const std::size_t start = text.find_last_of('\n', end);
    return text.substr(start == std::string::npos ? 0 : start + 1,
                       end - (start == std::string::npos ? 0 : start + 1) + 1);
}

} // namespace

BatchBuilder::BatchBuilder(BatchSwitches switches, std::string cliPath)
    : m_switches(std::move(switches)), m_cliPath(std::move(cliPath))
{
}

std::vector<std::string> BatchBuilder::findProjects(const std::string& appsDirectory)
{
    std::vector<std::string> projects;
    std::error_code error;
    fs::recursive_directory_iterator it(appsDirectory,
                                        fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_regular_file(error) &&
            platform::equalsIgnoreAsciiCase(it->path().extension().string(), ".ui")) {
            projects.push_back(it->path().string());
        }
    }
    std::sort(projects.begin(), projects.end());
    return projects;
}

std::vector<std::string> BatchBuilder::takeAutoSaveCopies(std::vector<std::string>& projects)
{
    // "_%04d_%02d_%02d_%02d_%02d_%02d" before the extension.
    static const std::regex stamp(R"(^(.*)_\d{4}_\d{2}_\d{2}_\d{2}_\d{2}_\d{2}$)");
    const std::set<std::string> found(projects.begin(), projects.end());
    std::vector<std::string> copies;
    std::vector<std::string> kept;
    for (const std::string& project : projects) {
        const fs::path path(project);
        std::smatch match;
        const std::string stem = path.stem().string();
        const bool copy =
            std::regex_match(stem, match, stamp) &&
            found.count(
                (path.parent_path() / (match[1].str() + path.extension().string())).string()) != 0;
        (copy ? copies : kept).push_back(project);
    }
    projects = std::move(kept);
    return copies;
}

BatchBuilder::Result BatchBuilder::buildOne(const std::string& project,
                                            const std::string& scratch) const
{
    Result result;
    result.project = project;
    result.ok = true;
    const bool desktopOn = !m_switches.desktop || m_switches.resources || desktopSwitchOn(project);
    for (const std::vector<std::string>& step : buildSteps(m_switches, project, desktopOn)) {
        std::vector<std::string> argv{m_cliPath};
        argv.insert(argv.end(), step.begin(), step.end());
        if (m_onePackingThread && step.front() == "build") {
            argv.insert(argv.end(), {"--threads", "1"});
        }
        platform::ChildProcess child;
        child.setOutputFile(scratch);
        const bool started = child.start(argv);
        const int status = started ? child.wait() : -1;
        const std::string output = platform::readFile(scratch).value_or("");
        result.output += output;
        if (!started) {
            result.ok = false;
            result.reason =
                platform::formatText(platform::toolText("cannot start %s: %s"), m_cliPath.c_str(),
                                     std::strerror(child.startError()));
        } else if (status != 0) {
            result.ok = false;
            result.reason = lastLine(output);
            if (result.reason.empty()) {
                result.reason =
                    status < 0 ? platform::toolText("the build crashed")
                               : platform::formatText(
                                     platform::toolText("the build ended with status %d"), status);
            }
        }
        if (!result.ok) {
            break;
        }
    }
    return result;
}

std::vector<BatchBuilder::Result>
BatchBuilder::run(const std::vector<std::string>& projects,
                  const std::function<void(const Result&)>& report)
{
    std::vector<Result> results(projects.size());
    int jobs = m_switches.jobs;
    if (jobs <= 0) {
        jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    }
    jobs = std::min<int>(jobs, static_cast<int>(std::max<std::size_t>(1, projects.size())));
    m_onePackingThread = jobs > 1;

    platform::TemporaryDirectory scratch("resBuildApp");
    std::atomic<std::size_t> next{0};
    std::mutex reporting;
    auto worker = [&](int index) {
        const std::string output = scratch.filePath("output" + std::to_string(index) + ".txt");
        for (std::size_t i = next++; i < projects.size(); i = next++) {
            results[i] = buildOne(projects[i], output);
            const std::lock_guard<std::mutex> lock(reporting);
            report(results[i]);
        }
    };
    std::vector<std::thread> threads;
    for (int i = 1; i < jobs; ++i) {
        threads.emplace_back(worker, i);
    }
    worker(0);
    for (std::thread& thread : threads) {
        thread.join();
    }
    return results;
}

#include "generate/OutputStaging.h"

#include "components/packing/StagedFiles.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <set>

#include <unistd.h>

namespace fs = std::filesystem;

namespace generate {
namespace {

thread_local OutputStaging* t_active = nullptr;

std::string stagingName()
{
    static std::atomic<unsigned> counter{0};
    return ".skinsmith-build-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

bool inside(const std::string& path, const std::string& folder)
{
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '/';
}

} // namespace

OutputStaging* activeOutputStaging()
{
    return t_active;
}

OutputStaging::OutputStaging() : m_previous(t_active)
{
    t_active = this;
}

OutputStaging::~OutputStaging()
{
    t_active = m_previous;
    for (const auto& [folder, staging] : m_folders) {
        std::error_code ec;
        fs::remove_all(staging, ec);
    }
}

std::string OutputStaging::redirect(const std::string& nativePath)
{
    if (nativePath.empty() ||
        std::find(m_excluded.begin(), m_excluded.end(), nativePath) != m_excluded.end()) {
        return nativePath;
    }
    for (const auto& [folder, staging] : m_folders) {
        if (nativePath == staging || inside(nativePath, staging)) {
            return nativePath;
        }
    }
    const std::size_t slash = nativePath.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : nativePath.substr(0, slash);
    const std::string name = slash == std::string::npos ? nativePath : nativePath.substr(slash + 1);
    auto found = m_folders.find(folder);
    if (found == m_folders.end()) {
        const std::string staging = (folder.empty() ? std::string() : folder) + "/" + stagingName();
        std::error_code ec;
        fs::create_directories(staging, ec);
        found = m_folders.emplace(folder, staging).first;
    }
    return found->second + "/" + name;
}

void OutputStaging::removeStaleParts(const std::string& resFile)
{
    m_partFiles.push_back(resFile);
}

bool OutputStaging::commit()
{
    packing::StagedFiles files;
    std::set<std::string> targets;
    for (const auto& [folder, staging] : m_folders) {
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(staging, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            if (!it->is_regular_file()) {
                continue;
            }
            const std::string target =
                (fs::path(folder) / fs::relative(it->path(), staging)).string();
            files.adopt(it->path().string(), target);
            targets.insert(target);
        }
        if (ec) {
            m_error = "cannot read " + staging + ": " + ec.message();
            return false;
        }
    }
    for (const std::string& resFile : m_partFiles) {
        // Parts are named by inserting "_<n>" before the last four characters.
        if (resFile.size() < 4) {
            continue;
        }
        const fs::path stem = resFile.substr(0, resFile.size() - 4);
        const std::string extension = resFile.substr(resFile.size() - 4);
        const std::string prefix = stem.filename().string() + "_";
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(stem.parent_path(), ec)) {
            const std::string name = entry.path().filename().string();
            if (name.size() <= prefix.size() + extension.size() ||
                name.compare(0, prefix.size(), prefix) != 0 ||
                name.compare(name.size() - extension.size(), extension.size(), extension) != 0) {
                continue;
            }
            const std::string number =
                name.substr(prefix.size(), name.size() - prefix.size() - extension.size());
            if (number.find_first_not_of("0123456789") == std::string::npos &&
                targets.count(entry.path().string()) == 0) {
                files.remove(entry.path().string());
            }
        }
    }
    if (!files.commit()) {
        m_error = files.error();
        return false;
    }
    m_committed.assign(targets.begin(), targets.end());
    return true;
}

} // namespace generate

#include "components/packing/StagedFiles.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace fs = std::filesystem;

namespace packing {

namespace {

std::string temporaryName(const std::string& target)
{
    static std::atomic<unsigned> counter{0};
    return target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

} // namespace

StagedFiles::~StagedFiles()
{
    discard();
}

std::ofstream* StagedFiles::begin(const std::string& target)
{
    const fs::path parent = fs::path(target).parent_path();
    std::error_code ec;
    if (!parent.empty()) {
        fs::create_directories(parent, ec);
    }
    Staged staged;
    staged.target = target;
    staged.temporary = temporaryName(target);
    staged.stream =
        std::make_unique<std::ofstream>(staged.temporary, std::ios::binary | std::ios::trunc);
    if (!*staged.stream) {
        m_error = "cannot create " + staged.temporary;
        return nullptr;
    }
    m_files.push_back(std::move(staged));
    return m_files.back().stream.get();
}

bool StagedFiles::commit()
{
    for (Staged& staged : m_files) {
        staged.stream->flush();
        staged.stream->close();
        if (staged.stream->fail()) {
            m_error = "cannot write " + staged.target;
            discard();
            return false;
        }
    }
    for (Staged& staged : m_files) {
        std::error_code ec;
        fs::rename(staged.temporary, staged.target, ec);
        if (ec) {
            m_error = "cannot replace " + staged.target + ": " + ec.message();
            discard();
            return false;
        }
        staged.renamed = true;
    }
    m_files.clear();
    return true;
}

void StagedFiles::discard()
{
    for (Staged& staged : m_files) {
        if (!staged.renamed) {
            staged.stream.reset();
            std::remove(staged.temporary.c_str());
        }
    }
    m_files.clear();
}

} // namespace packing

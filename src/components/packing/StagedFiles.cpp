#include "components/packing/StagedFiles.h"

#include <atomic>
#include <cstdio>
#include <filesystem>

#include <unistd.h>

namespace fs = std::filesystem;

namespace packing {

namespace {

std::string uniqueName(const std::string& target, const char* kind)
{
    static std::atomic<unsigned> counter{0};
    return target + kind + std::to_string(::getpid()) + "-" + std::to_string(++counter);
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
    staged.temporary = uniqueName(target, ".tmp-");
    staged.stream =
        std::make_unique<std::ofstream>(staged.temporary, std::ios::binary | std::ios::trunc);
    if (!*staged.stream) {
        m_error = "cannot create " + staged.temporary;
        return nullptr;
    }
    m_files.push_back(std::move(staged));
    return m_files.back().stream.get();
}

void StagedFiles::adopt(const std::string& written, const std::string& target)
{
    const fs::path parent = fs::path(target).parent_path();
    std::error_code ec;
    if (!parent.empty()) {
        fs::create_directories(parent, ec);
    }
    Staged staged;
    staged.target = target;
    staged.temporary = written;
    m_files.push_back(std::move(staged));
}

void StagedFiles::remove(const std::string& target)
{
    Staged staged;
    staged.target = target;
    m_files.push_back(std::move(staged));
}

void StagedFiles::renameFile(const std::string& from, const std::string& to, std::error_code& ec)
{
    fs::rename(from, to, ec);
}

bool StagedFiles::closeAll()
{
    for (Staged& staged : m_files) {
        if (!staged.stream) {
            continue;
        }
        staged.stream->flush();
        staged.stream->close();
        if (staged.stream->fail()) {
            m_error = "cannot write " + staged.target;
            return false;
        }
    }
    return true;
}

bool StagedFiles::moveAside(Staged& staged)
{
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(staged.target, ec);
    if (!fs::exists(status)) {
        return true;
    }
    if (fs::is_directory(status)) {
        // Moving a folder aside would let a file take its place.
        m_error = "cannot replace " + staged.target + ": it is a folder";
        return false;
    }
    const std::string aside = uniqueName(staged.target, ".old-");
    renameFile(staged.target, aside, ec);
    if (ec) {
        m_error = "cannot move " + staged.target + " aside: " + ec.message();
        return false;
    }
    staged.aside = aside;
    return true;
}

bool StagedFiles::commit()
{
    if (!closeAll()) {
        discard();
        return false;
    }
    for (Staged& staged : m_files) {
        if (!moveAside(staged)) {
            undo();
            discard();
            return false;
        }
        if (staged.temporary.empty()) {
            continue;
        }
        std::error_code ec;
        renameFile(staged.temporary, staged.target, ec);
        if (ec) {
            m_error = "cannot replace " + staged.target + ": " + ec.message();
            undo();
            discard();
            return false;
        }
        staged.replaced = true;
    }
    dropAside();
    m_files.clear();
    return true;
}

void StagedFiles::undo()
{
    for (auto it = m_files.rbegin(); it != m_files.rend(); ++it) {
        std::error_code ec;
        if (it->replaced) {
            // Back to a temporary name, so that discard() removes it.
            renameFile(it->target, it->temporary, ec);
            it->replaced = ec.value() != 0;
        }
        if (!it->aside.empty() && !it->replaced) {
            renameFile(it->aside, it->target, ec);
            if (!ec) {
                it->aside.clear();
            }
        }
        if (it->replaced || !it->aside.empty()) {
            m_error += "; " + it->target + " could not be restored" +
                       (it->aside.empty() ? "" : ", the old file is " + it->aside);
        }
    }
}

void StagedFiles::dropAside()
{
    for (const Staged& staged : m_files) {
        if (!staged.aside.empty()) {
            std::error_code ec;
            fs::remove(staged.aside, ec);
        }
    }
}

void StagedFiles::discard()
{
    for (Staged& staged : m_files) {
        if (!staged.replaced && !staged.temporary.empty()) {
            staged.stream.reset();
            std::remove(staged.temporary.c_str());
        }
    }
    m_files.clear();
}

} // namespace packing

#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// The readers work on files: each input is written to one scratch file per process,
// removed when the fuzzer exits.
class FuzzScratchFile
{
public:
    FuzzScratchFile()
    {
        std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
        pattern += "/skinsmith-fuzz-XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0) {
            std::abort();
        }
        close(fd);
        m_path = pattern;
    }
    ~FuzzScratchFile() { std::remove(m_path.c_str()); }

    // Returns the path of a file that holds exactly `size` bytes from `data`.
    const std::string& hold(const std::uint8_t* data, std::size_t size) const
    {
        std::FILE* file = std::fopen(m_path.c_str(), "wb");
        if (file == nullptr || std::fwrite(data, 1, size, file) != size) {
            std::abort();
        }
        std::fclose(file);
        return m_path;
    }

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

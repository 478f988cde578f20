#pragma once

#include <cstdint>
#include <string>

namespace generate {

// Compresses a written picture resource file in place and, with a split size, cuts the
// compressed file into its part files (name_0.res, name_1.res, ...).
class PictureFileCompression
{
public:
    // `debugMode` keeps the uncompressed file as path + ".Debug".
    explicit PictureFileCompression(bool debugMode) : m_debugMode(debugMode) {}

    // Compresses `path`, then splits it when `splitSize` > 0. Returns false with error()
    // set when the file could not be compressed (it is then as it was) or split (no part
    // file is then written or changed).
    bool compress(const std::string& path, std::int64_t splitSize);
    // Splits the already compressed `path` when `splitSize` > 0. Returns false with
    // error() set when it could not be split (no part file is then written or changed).
    bool split(const std::string& path, std::int64_t splitSize);

    const std::string& error() const { return m_error; }

private:
    bool fail(const std::string& message);

    bool m_debugMode;
    std::string m_error;
};

} // namespace generate

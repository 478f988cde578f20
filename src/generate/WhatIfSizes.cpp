#include "generate/WhatIfSizes.h"

#include "components/packing/CZorRes.h"
#include "components/packing/ResFileReader.h"
#include "model/APStyleProject.h"

#include <filesystem>

#include <unistd.h>

namespace generate {
namespace {

// A file name of its own in the temporary folder, removed with the object.
class ScratchFile
{
public:
    ScratchFile()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "skinsmith-what-if-XXXXXX").string();
        const int fd = mkstemp(pattern.data());
        if (fd >= 0) {
            close(fd);
            m_path = pattern;
        }
    }
    ~ScratchFile()
    {
        if (!m_path.empty()) {
            std::error_code ec;
            std::filesystem::remove(m_path, ec);
        }
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace

bool WhatIfSizes::Compute(const APStyleProject& project, const std::vector<std::size_t>& positions,
                          const ResourceBuildOptions& options, WhatIfSizes& sizes,
                          std::string& error)
{
    sizes = {};
    sizes.format = packing::formatName(static_cast<std::uint8_t>(options.format));
    sizes.compression = packing::compressionName(
        options.compress ? static_cast<std::uint8_t>(options.compressType == 1 ? 1 : 2) : 0);
    if (!packing::PictureEncoder::isSupportedFormat(options.format)) {
        error = "unknown pixel format " + std::to_string(options.format);
        return false;
    }
    if (positions.empty()) {
        return true;
    }
    CZorRes packer;
    packer.SetThreadCount(options.packingThreads);
    if (options.compress) {
        packer.SetCompressAhead(options.compressType, options.tileWidth, options.tileHeight);
    }
    std::vector<packing::PictureRequest> requests;
    for (const std::size_t position : positions) {
        const PictureRecord& record = project.Pictures().At(position);
        packing::PictureRequest request;
        request.name = "PIC" + std::to_string(requests.size() + 1);
        request.path = project.ResolvePath(record.path, false);
        request.compress = options.compress ? 1 : 0;
        request.format = options.format;
        request.quality = options.quality;
        request.alphaFormat = record.alphaFormat;
        request.argbOutput = record.argbOutput;
        request.rawJpeg = options.rawJpeg ? 1 : 0;
        requests.push_back(std::move(request));
    }
    std::vector<std::string> refusals;
    const std::vector<int> results = packer.AddPictures(requests, {}, &refusals);
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (results[i] == 0) {
            error = "cannot pack " + requests[i].path + ": " + refusals[i];
            return false;
        }
    }
    const ScratchFile scratch;
    if (scratch.path().empty() ||
        !packer.SaveFile(scratch.path(), 0, options.compress ? options.compressType : 0,
                         options.compress ? options.tileWidth : 0,
                         options.compress ? options.tileHeight : 0)) {
        error = "cannot write a scratch picture file: " + packer.GetLastError();
        return false;
    }
    packing::ResFileReader reader;
    if (!reader.load(scratch.path()) || reader.entries().size() != positions.size()) {
        error = "cannot read the scratch picture file back: " + reader.error();
        return false;
    }
    sizes.fileBytes = reader.size();
    for (std::size_t i = 0; i < positions.size(); ++i) {
        sizes.bytes.push_back(reader.spanLength(i));
    }
    return true;
}

} // namespace generate

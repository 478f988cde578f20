#include "generate/PictureFileCompression.h"

#include "components/packing/DazOR4.h"
#include "generate/ResourceSplitter.h"
#include "platform/FileSystem.h"
#include "platform/UiText.h"

namespace generate {

bool PictureFileCompression::fail(const std::string& message)
{
    m_error = message;
    return false;
}

bool PictureFileCompression::compress(const std::string& path, std::int64_t splitSize)
{
    DazOR4 compressor;
    // The compressor replaces its destination only once complete, so it can work in place;
    // the uncompressed copy is made only when debug mode keeps it.
    std::string source = path;
    if (m_debugMode) {
        source = path + ".Debug";
        if (!platform::copyFile(path, source)) {
            source = path;
        }
    }
    if (!compressor.res_pic_compress(source, path, true)) {
        return fail(platform::uiText("压缩图片资源失败：") + compressor.GetLastError());
    }
    return split(path, splitSize);
}

bool PictureFileCompression::split(const std::string& path, std::int64_t splitSize)
{
    if (splitSize <= 0) {
        return true;
    }
    ResourceSplitter splitter;
    if (!splitter.split(path, splitSize)) {
        return fail(platform::uiText("切分图片资源失败：") + path + "\n" + splitter.error());
    }
    return true;
}

} // namespace generate

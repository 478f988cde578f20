#include "generate/OutputFile.h"

#include "generate/OutputStaging.h"

#include "platform/FileSystem.h"
#include "platform/Path.h"

namespace generate {

std::string withCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

std::string nativeOutputPath(std::string_view path)
{
    std::string native = platform::storedToNative(path);
    if (OutputStaging* staging = activeOutputStaging()) {
        return staging->redirect(native);
    }
    return native;
}

bool prepareOutputPath(std::string_view path)
{
    return platform::prepareOutputFile(nativeOutputPath(path));
}

bool writeOutputFile(std::string_view path, std::string_view bytes,
                     platform::SaveFile::Durability durability)
{
    const std::string native = nativeOutputPath(path);
    return platform::prepareOutputFile(native) &&
           platform::writeFileAtomically(native, bytes, nullptr, durability);
}

} // namespace generate

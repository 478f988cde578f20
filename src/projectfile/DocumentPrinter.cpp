#include "projectfile/DocumentPrinter.h"

#include <cstdio>
#include <cstring>

namespace projectfile {

namespace {

// Appends what stdio hands over to a string, every line feed as CR LF. TinyXML escapes
// control characters inside values, so each line feed it prints is a line end.
ssize_t AppendWithCrLf(void* cookie, const char* data, size_t size)
{
    auto& text = *static_cast<std::string*>(cookie);
    const char* end = data + size;
    for (const char* p = data; p < end;) {
        const auto* feed = static_cast<const char*>(std::memchr(p, '\n', end - p));
        if (!feed) {
            text.append(p, end);
            break;
        }
        text.append(p, feed);
        text += "\r\n";
        p = feed + 1;
    }
    return static_cast<ssize_t>(size);
}

} // namespace

std::string PrintProjectDocument(const TiXmlDocument& document)
{
    std::string text;
    cookie_io_functions_t functions{};
    functions.write = AppendWithCrLf;
    std::FILE* stream = fopencookie(&text, "w", functions);
    if (!stream) {
        return {};
    }
    // A large buffer: fewer calls for a document of megabytes.
    std::setvbuf(stream, nullptr, _IOFBF, 1 << 16);
    // SaveFile(FILE*) writes the byte-order mark of a loaded file, as printing to disk does.
    document.SaveFile(stream);
    std::fclose(stream);
    return text;
}

} // namespace projectfile

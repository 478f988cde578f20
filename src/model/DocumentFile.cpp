#include "model/DocumentFile.h"

#include "platform/FileSystem.h"

#include <cstdio>
#include <cstdlib>

namespace model {

std::string PrintDocument(const TiXmlDocument& document)
{
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* memory = open_memstream(&buffer, &size);
    if (!memory) {
        return {};
    }
    // SaveFile(FILE*) adds the byte-order mark of a loaded file, as printing to disk does.
    document.SaveFile(memory);
    std::fclose(memory);
    std::string printed;
    printed.reserve(size + size / 16);
    // TinyXML escapes control characters inside values, so every line feed here is a
    // line end; the format has them as CR LF.
    for (std::size_t i = 0; i < size; ++i) {
        if (buffer[i] == '\n' && (i == 0 || buffer[i - 1] != '\r')) {
            printed += '\r';
        }
        printed += buffer[i];
    }
    std::free(buffer);
    return printed;
}

bool WriteDocument(const TiXmlDocument& document, const std::string& path)
{
    if (path.empty()) {
        return false;
    }
    return platform::writeFileAtomically(path, PrintDocument(document));
}

} // namespace model

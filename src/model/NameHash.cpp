#include "model/NameHash.h"

std::uint32_t NameHash(std::string_view name)
{
    std::uint32_t h = 0;
    for (char c : name) {
        auto byte = static_cast<unsigned char>(c);
        // Only ASCII letters change case: bytes of multi-byte characters stay as they are.
        if (byte >= 'a' && byte <= 'z') {
            byte = static_cast<unsigned char>(byte - 'a' + 'A');
        }
        h *= 16777619u;
        h ^= byte;
    }
    return h;
}

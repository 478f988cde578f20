#include "generate/SharedParameterBlock.h"

#include <cstring>

namespace generate {
namespace {

void putWord(unsigned char* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        at[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

} // namespace

SharedParameterBlock::SharedParameterBlock()
{
    if (!m_memory.create(kName, kSize)) {
        m_memory.close();
        return;
    }
    // A block left by another editor's build is mapped rather than made: zero it all the same.
    auto* bytes = static_cast<unsigned char*>(m_memory.data());
    std::memset(bytes, 0, kSize);
    putWord(bytes, kMarker);
    putWord(bytes + 4, kVersion);
}

} // namespace generate

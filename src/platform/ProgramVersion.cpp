#include "platform/ProgramVersion.h"

#include "SkinSmithVersion.h"

namespace platform {

const char* programVersion()
{
    return SKINSMITH_VERSION;
}

std::string versionLine(std::string_view program)
{
    return std::string(program) + ' ' + programVersion();
}

} // namespace platform

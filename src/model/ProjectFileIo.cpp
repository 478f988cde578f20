#include "model/ProjectFileIo.h"

namespace {

ProjectFileIo* g_io = nullptr;

} // namespace

ProjectFileIo* projectFileIo()
{
    return g_io;
}

void setProjectFileIo(ProjectFileIo* io)
{
    g_io = io;
}

#include "platform/UserInteraction.h"

#include "platform/ScriptedInteraction.h"

#include <iostream>

namespace platform {
namespace {

UserInteraction& headlessDefault()
{
    // Lives as long as the process: it echoes, but keeps no log.
    static ScriptedInteraction headless(std::cerr);
    static const bool logless = (headless.keepRecords(false), true);
    static_cast<void>(logless);
    return headless;
}

UserInteraction* g_current = nullptr;

} // namespace

UserInteraction& interaction()
{
    return g_current ? *g_current : headlessDefault();
}

void setInteraction(UserInteraction* replacement)
{
    g_current = replacement;
}

ScopedInteraction::ScopedInteraction(UserInteraction& replacement) : m_previous(g_current)
{
    g_current = &replacement;
}

ScopedInteraction::~ScopedInteraction()
{
    g_current = m_previous;
}

} // namespace platform

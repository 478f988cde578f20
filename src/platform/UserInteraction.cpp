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
thread_local UserInteraction* t_current = nullptr;

} // namespace

UserInteraction& interaction()
{
    if (t_current) {
        return *t_current;
    }
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

ScopedThreadInteraction::ScopedThreadInteraction(UserInteraction& replacement)
    : m_previous(t_current)
{
    t_current = &replacement;
}

ScopedThreadInteraction::~ScopedThreadInteraction()
{
    t_current = m_previous;
}

} // namespace platform

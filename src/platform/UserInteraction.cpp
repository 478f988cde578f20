#include "platform/UserInteraction.h"

#include "platform/HeadlessInteraction.h"

#include <iostream>

namespace platform {
namespace {

UserInteraction& headlessDefault()
{
    static HeadlessInteraction headless(std::cerr);
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

#include "CliProjectSession.h"

#include "CliProject.h"

#include "model/APStyleProject.h"

#include <iostream>

CliProjectSession::CliProjectSession(const CliCommand& command)
    : m_command(command), m_headless(std::cerr), m_scope(m_headless)
{
    m_headless.keepRecords(false);
}

CliProjectSession::~CliProjectSession()
{
    // The project goes with the session: leave no dangling current-project pointer.
    if (m_project) {
        APStyleProject::SetCurrent(nullptr);
    }
}

APStyleProject* CliProjectSession::load(const std::string& path)
{
    if (m_project) {
        APStyleProject::SetCurrent(nullptr);
    }
    m_project = loadCliProject(m_command, path);
    return m_project.get();
}

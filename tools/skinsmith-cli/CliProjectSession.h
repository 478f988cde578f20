#pragma once

#include "platform/ScriptedInteraction.h"

#include <memory>
#include <string>

class APStyleProject;
struct CliCommand;

// The frame of a subcommand that works on one project file: while it lives, messages go to
// standard error and questions get their default answers, and the project it loaded is the
// current one.
class CliProjectSession
{
public:
    explicit CliProjectSession(const CliCommand& command);
    ~CliProjectSession();
    CliProjectSession(const CliProjectSession&) = delete;
    CliProjectSession& operator=(const CliProjectSession&) = delete;

    // Loads the project file at `path` and makes it current. Returns the project, owned by
    // the session, or null after printing why it could not be loaded.
    APStyleProject* load(const std::string& path);

    // The installed interaction, for options such as the progress bar.
    platform::ScriptedInteraction& interaction() { return m_headless; }

private:
    const CliCommand& m_command;
    platform::ScriptedInteraction m_headless;
    platform::ScopedInteraction m_scope;
    std::unique_ptr<APStyleProject> m_project;
};

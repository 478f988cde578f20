#include "platform/ChildProcess.h"

#include <fcntl.h>
#include <algorithm>
#include <string_view>

#include <spawn.h>
#include <unistd.h>
#include <sys/wait.h>

#include <cerrno>
#include <system_error>
#include <thread>
#include <utility>

extern char** environ;

namespace platform {
namespace {

// Frees the spawn attributes whatever way start() leaves.
class FileActions
{
public:
    FileActions() { m_valid = ::posix_spawn_file_actions_init(&m_actions) == 0; }
    ~FileActions()
    {
        if (m_valid) {
            ::posix_spawn_file_actions_destroy(&m_actions);
        }
    }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    posix_spawn_file_actions_t* get() { return m_valid ? &m_actions : nullptr; }

private:
    posix_spawn_file_actions_t m_actions;
    bool m_valid = false;
};

int addOutputRedirection(posix_spawn_file_actions_t& actions, const std::string& path)
{
    int result =
        ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (result == 0) {
        result = ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, path.c_str(),
                                                    O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    if (result == 0) {
        result = ::posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    }
    return result;
}

int waitForExit(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

ChildProcess::~ChildProcess()
{
    detach();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : m_outputFile(std::move(other.m_outputFile)), m_pid(std::exchange(other.m_pid, 0)),
      m_startError(other.m_startError), m_waited(other.m_waited), m_exitStatus(other.m_exitStatus)
{
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept
{
    if (this != &other) {
        detach();
        m_outputFile = std::move(other.m_outputFile);
        m_pid = std::exchange(other.m_pid, 0);
        m_startError = other.m_startError;
        m_waited = other.m_waited;
        m_exitStatus = other.m_exitStatus;
    }
    return *this;
}

bool ChildProcess::start(const std::vector<std::string>& argv, const std::string& workingDirectory)
{
    detach();
    m_waited = false;
    m_exitStatus = -1;
    m_startError = 0;
    if (argv.empty() || argv.front().empty()) {
        m_startError = EINVAL;
        return false;
    }
    std::vector<char*> arguments;
    for (const std::string& argument : argv) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);

    FileActions actions;
    if (!workingDirectory.empty()) {
        const int added =
            actions.get()
                ? ::posix_spawn_file_actions_addchdir_np(actions.get(), workingDirectory.c_str())
                : ENOMEM;
        if (added != 0) {
            m_startError = added;
            return false;
        }
    }
    if (!m_outputFile.empty()) {
        const int added =
            actions.get() ? addOutputRedirection(*actions.get(), m_outputFile) : ENOMEM;
        if (added != 0) {
            m_startError = added;
            return false;
        }
    }
    std::vector<char*> environment;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string_view entry(*variable);
        const bool replaced =
            std::any_of(m_variables.begin(), m_variables.end(), [&](const auto& own) {
                return entry.substr(0, entry.find('=') + 1) == own.substr(0, own.find('=') + 1);
            });
        if (!replaced) {
            environment.push_back(*variable);
        }
    }
    for (const std::string& variable : m_variables) {
        environment.push_back(const_cast<char*>(variable.c_str()));
    }
    environment.push_back(nullptr);
    const bool searchPath = argv.front().find('/') == std::string::npos;
    pid_t pid = 0;
    const int result = searchPath ? ::posix_spawnp(&pid, arguments[0], actions.get(), nullptr,
                                                   arguments.data(), environment.data())
                                  : ::posix_spawn(&pid, arguments[0], actions.get(), nullptr,
                                                  arguments.data(), environment.data());
    if (result != 0) {
        m_startError = result;
        return false;
    }
    m_pid = pid;
    return true;
}

int ChildProcess::wait()
{
    if (m_pid > 0 && !m_waited) {
        m_exitStatus = waitForExit(m_pid);
        m_waited = true;
    }
    return m_exitStatus;
}

void ChildProcess::detach()
{
    if (m_pid > 0 && !m_waited) {
        // Someone has to collect the exit status, or the child stays a zombie until we end.
        const pid_t pid = m_pid;
        try {
            std::thread([pid] { waitForExit(pid); }).detach();
        } catch (const std::system_error&) {
            // No thread to spare: the exit status is collected when we end.
        }
    }
    m_pid = 0;
    m_waited = false;
}

void ChildProcess::setVariable(const std::string& name, const std::string& value)
{
    m_variables.push_back(name + "=" + value);
}

int runProcess(const std::vector<std::string>& argv, const std::string& workingDirectory)
{
    ChildProcess child;
    return child.start(argv, workingDirectory) ? child.wait() : -1;
}

bool startDetached(const std::vector<std::string>& argv, const std::string& workingDirectory)
{
    ChildProcess child;
    if (!child.start(argv, workingDirectory)) {
        return false;
    }
    child.detach();
    return true;
}

} // namespace platform

#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace platform {

// A program started as a child process (posix_spawn): the arguments go to it as they are,
// never through a shell, so no text in them is ever interpreted. Hidden or shown windows do
// not apply on this platform.
class ChildProcess
{
public:
    ChildProcess() = default;
    // A child that was neither waited for nor detached is detached.
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts argv[0] with argv as its argument vector; a name without '/' is searched in
    // PATH. `workingDirectory` empty keeps ours. Returns false when it could not be started
    // (a missing program or directory); startError() tells why.
    bool start(const std::vector<std::string>& argv, const std::string& workingDirectory = {});

    // Makes the next start() send the child's standard output and standard error to the file
    // `path` (created or emptied) instead of ours, and its standard input from /dev/null;
    // "" goes back to ours.
    void setOutputFile(const std::string& path) { m_outputFile = path; }

    // Gives the child, started after this call, the environment variable `name` set to
    // `value` beside ours (replacing one of that name). Ours stays as it is.
    void setVariable(const std::string& name, const std::string& value);

    // Waits until the child ends. Returns its exit status (0 to 255), or -1 when it was ended
    // by a signal or never started. Waiting twice returns the same status.
    int wait();

    // Lets the child run on without us; it is reaped in the background when it ends.
    void detach();

    bool isStarted() const { return m_pid > 0; }
    pid_t pid() const { return m_pid; }
    // The errno value of a failed start; 0 otherwise.
    int startError() const { return m_startError; }

private:
    std::string m_outputFile;

    std::vector<std::string> m_variables; // "NAME=value"
    pid_t m_pid = 0;
    int m_startError = 0;
    bool m_waited = false;
    int m_exitStatus = -1;
};

// Runs the program and waits for it. Returns its exit status, or -1 when it could not be
// started or was ended by a signal.
int runProcess(const std::vector<std::string>& argv, const std::string& workingDirectory = {});

// Starts the program without waiting for it. Returns true when it was started.
bool startDetached(const std::vector<std::string>& argv, const std::string& workingDirectory = {});

} // namespace platform

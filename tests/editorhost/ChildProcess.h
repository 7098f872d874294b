#pragma once
#include <sys/types.h>
#include <string>
#include <vector>

namespace edhost
{

/** A program started by a test, with its output captured in files. The destructor kills it
    (SIGKILL) if it still runs, so a failing test leaves nothing behind. */
class ChildProcess
{
public:
    /** Starts `program` (looked up in PATH when it has no slash) with `arguments`;
        `environment` holds NAME=VALUE settings added to or replacing the inherited ones.
        stdout and stderr go to files in `captureFolder`. Throws std::runtime_error when
        the program cannot be started. */
    ChildProcess (const std::string& program, const std::vector<std::string>& arguments,
                  const std::vector<std::string>& environment, const std::string& captureFolder);
    ~ChildProcess();

    ChildProcess (const ChildProcess&) = delete;
    ChildProcess& operator= (const ChildProcess&) = delete;

    pid_t pid() const noexcept { return child; }
    bool isRunning();
    /** Waits until it ends, at most `seconds`; true when it has ended. */
    bool waitFor (double seconds);
    void sendSignal (int signalNumber);

    /** Once ended: the exit status, or -1 when a signal ended it (then `endSignal`). */
    int exitCode() const noexcept { return status; }
    int endSignal() const noexcept { return signalled; }
    std::string output() const;
    std::string errors() const;

    /** Runs a program to its end (killed after `timeoutSeconds`); gives its stdout. */
    static std::string run (const std::string& program, const std::vector<std::string>& arguments,
                            const std::vector<std::string>& environment, const std::string& captureFolder,
                            double timeoutSeconds = 30.0, int* exitCode = nullptr);

private:
    void collect (int waitStatus);

    pid_t child = -1;
    bool ended = false;
    int status = -1;
    int signalled = 0;
    std::string outPath, errPath;
};

} // namespace edhost

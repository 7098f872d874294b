#include "tests/editorhost/ChildProcess.h"
#include "tests/support/RunProcess.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace edhost
{

namespace
{
    std::atomic<int> captureCounter { 0 };
}

ChildProcess::ChildProcess (const std::string& program, const std::vector<std::string>& arguments,
                            const std::vector<std::string>& environment, const std::string& captureFolder)
{
    const std::string stem = captureFolder + "/" + std::to_string (captureCounter++) + "-"
                             + program.substr (program.find_last_of ('/') + 1);
    outPath = stem + ".out";
    errPath = stem + ".err";

    child = qvtest::spawnCaptured (program, arguments, environment, outPath, errPath);
}

ChildProcess::~ChildProcess()
{
    if (isRunning())
    {
        ::kill (child, SIGKILL);
        waitFor (10.0);
    }
}

void ChildProcess::collect (int waitStatus)
{
    ended = true;
    if (WIFEXITED (waitStatus))
        status = WEXITSTATUS (waitStatus);
    else if (WIFSIGNALED (waitStatus))
        signalled = WTERMSIG (waitStatus);
}

bool ChildProcess::isRunning()
{
    if (ended || child <= 0)
        return false;
    int waitStatus = 0;
    const pid_t done = ::waitpid (child, &waitStatus, WNOHANG);
    if (done == child)
        collect (waitStatus);
    return ! ended;
}

bool ChildProcess::waitFor (double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double> (seconds);
    while (isRunning())
    {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for (std::chrono::milliseconds (10));
    }
    return true;
}

void ChildProcess::sendSignal (int signalNumber)
{
    if (isRunning())
        ::kill (child, signalNumber);
}

std::string ChildProcess::output() const { return qvtest::readFile (outPath); }
std::string ChildProcess::errors() const { return qvtest::readFile (errPath); }

std::string ChildProcess::run (const std::string& program, const std::vector<std::string>& arguments,
                               const std::vector<std::string>& environment, const std::string& captureFolder,
                               double timeoutSeconds, int* exitCode)
{
    ChildProcess process (program, arguments, environment, captureFolder);
    if (! process.waitFor (timeoutSeconds))
        throw std::runtime_error (program + " did not finish within " + std::to_string ((int) timeoutSeconds) + " s");
    if (exitCode != nullptr)
        *exitCode = process.exitCode();
    return process.output();
}

} // namespace edhost

#include "tests/editorhost/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace edhost
{

namespace
{
    std::string slurp (const std::string& path)
    {
        std::ifstream in (path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::atomic<int> captureCounter { 0 };
}

ChildProcess::ChildProcess (const std::string& program, const std::vector<std::string>& arguments,
                            const std::vector<std::string>& environment, const std::string& captureFolder)
{
    const std::string stem = captureFolder + "/" + std::to_string (captureCounter++) + "-"
                             + program.substr (program.find_last_of ('/') + 1);
    outPath = stem + ".out";
    errPath = stem + ".err";

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    posix_spawn_file_actions_addopen (&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen (&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen (&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    std::vector<char*> argv { const_cast<char*> (program.c_str()) };
    for (const auto& a : arguments)
        argv.push_back (const_cast<char*> (a.c_str()));
    argv.push_back (nullptr);

    const auto nameOf = [] (const std::string& setting) { return setting.substr (0, setting.find ('=')); };
    std::vector<std::string> settings (environment);
    for (char** e = environ; *e != nullptr; ++e)
    {
        const std::string setting (*e);
        if (std::none_of (environment.begin(), environment.end(),
                          [&] (const std::string& s) { return nameOf (s) == nameOf (setting); }))
            settings.push_back (setting);
    }
    std::vector<char*> envp;
    for (auto& s : settings)
        envp.push_back (s.data());
    envp.push_back (nullptr);

    const int failed = posix_spawnp (&child, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy (&actions);
    if (failed != 0)
        throw std::runtime_error ("cannot start " + program + ": " + std::strerror (failed));
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

std::string ChildProcess::output() const { return slurp (outPath); }
std::string ChildProcess::errors() const { return slurp (errPath); }

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

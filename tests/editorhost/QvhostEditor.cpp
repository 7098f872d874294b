#include "tests/editorhost/QvhostEditor.h"
#include "tests/editorhost/XvfbServer.h"

#include <signal.h>
#include <stdlib.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace edhost
{

ScratchFolder::ScratchFolder()
{
    std::string pattern = std::filesystem::temp_directory_path().string() + "/qv-edhost-XXXXXX";
    if (::mkdtemp (pattern.data()) == nullptr)
        throw std::runtime_error ("cannot make a temporary folder");
    folder = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all (folder, ignored);
}

std::string buildDir()
{
    const char* dir = std::getenv ("QV_BUILD_DIR");
    return dir != nullptr && *dir != 0 ? dir : QV_TEST_BUILD_DIR;
}

std::string modulePath()
{
    return buildDir() + "/QV-DelayTX.so";
}

QvhostEditor::QvhostEditor (const XvfbServer& server, const std::vector<std::string>& options)
    : QvhostEditor (server, modulePath(), options)
{
}

QvhostEditor::QvhostEditor (const XvfbServer& server, const std::string& module, const std::vector<std::string>& options)
    : eventsPath (scratch.file ("events.txt"))
{
    std::vector<std::string> arguments { "editor", module, "--events", eventsPath };
    arguments.insert (arguments.end(), options.begin(), options.end());
    process = std::make_unique<ChildProcess> (buildDir() + "/qvhost", arguments,
                                              std::vector<std::string> { server.environment() }, scratch.path());
}

std::vector<HostEvent> QvhostEditor::events() const
{
    std::ifstream in (eventsPath);
    std::ostringstream text;
    text << in.rdbuf();
    // A line still being written has no newline yet: leave it for the next read.
    std::string all = text.str();
    all.erase (all.find_last_of ('\n') == std::string::npos ? 0 : all.find_last_of ('\n') + 1);
    return HostEvent::parseAll (all);
}

std::optional<HostEvent> QvhostEditor::waitFor (const std::string& name, double seconds, const Match& match)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double> (seconds);
    for (;;)
    {
        const bool running = process->isRunning();
        for (const auto& event : events())
            if (event.name == name && (! match || match (event)))
                return event;
        if (! running || std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for (std::chrono::milliseconds (20));
    }
}

void QvhostEditor::stop (double seconds)
{
    process->sendSignal (SIGTERM);
    process->waitFor (seconds);
}

std::string QvhostEditor::outcome() const
{
    std::ostringstream text;
    text << "exit " << process->exitCode();
    if (process->endSignal() != 0)
        text << " (signal " << process->endSignal() << ")";
    text << "; stderr: " << process->errors();
    return text.str();
}

} // namespace edhost

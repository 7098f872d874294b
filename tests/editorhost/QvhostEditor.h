#pragma once
#include "tests/editorhost/ChildProcess.h"
#include "tests/editorhost/HostEvent.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace edhost
{

class XvfbServer;

/** A temporary folder, removed with its contents on destruction. */
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::string& path() const noexcept { return folder; }
    std::string file (const std::string& name) const { return folder + "/" + name; }

private:
    std::string folder;
};

std::string buildDir();
std::string modulePath();   // the QV-DelayTX module of this build

/** One run of `qvhost editor` on the project's module, on a test's own X server, writing
    its events to a file the test reads along. */
class QvhostEditor
{
public:
    QvhostEditor (const XvfbServer& server, const std::vector<std::string>& options);
    /** The same with another module. */
    QvhostEditor (const XvfbServer& server, const std::string& module, const std::vector<std::string>& options);

    using Match = std::function<bool (const HostEvent&)>;

    std::vector<HostEvent> events() const;
    /** Waits until an event named `name` (and matching `match`) has been written; nothing
        when the time is up or qvhost has ended without writing it. */
    std::optional<HostEvent> waitFor (const std::string& name, double seconds = 20.0, const Match& match = {});

    /** Asks qvhost to close (SIGTERM, what a desktop's session end sends) and waits. */
    void stop (double seconds = 20.0);
    /** Waits for qvhost to end by itself; false when it still runs after `seconds`. */
    bool finish (double seconds) { return process->waitFor (seconds); }

    ChildProcess& child() { return *process; }
    const ScratchFolder& folder() const { return scratch; }
    /** "exit N: <stderr>" for failure messages. */
    std::string outcome() const;

private:
    ScratchFolder scratch;
    std::string eventsPath;
    std::unique_ptr<ChildProcess> process;
};

} // namespace edhost

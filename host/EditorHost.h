#pragma once
#include "host/HostWindow.h"
#include "host/ResourceMeter.h"

#include <X11/Xlib.h>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qvhost
{

class EventLog;
class PluginInstance;

/** How a host drives a module's editor: which thread sends the editor opcodes, how often it
    sends effEditIdle, and what it passes as effEditOpen's value. These are the ways real
    Linux hosts do it. */
enum class HostPattern
{
    mainThread,   // a: entry, editor opcodes and idle on the main thread, idle every 5 ms (Carla)
    hostThread,   // b: effEditOpen, effEditIdle and effEditClose on a separate host thread with
                  //    its own X connection, idle every 40 ms; entry and effOpen/effClose on the
                  //    main thread (Ardour)
    slowIdle,     // c: everything on the main thread, idle every 66 ms, value 0 (Qtractor)
    noIdle,       // d: everything on the main thread, never any effEditIdle
};

struct EditorSessionOptions
{
    HostPattern pattern = HostPattern::mainThread;
    /** Where to save a PNG of the first editor's host window once it has painted; empty: none. */
    std::string screenshotPath;
    /** Stay open this long once painted (after the screenshot). */
    double holdSeconds = 0.0;
    /** Then stay open until every host window is closed or a stop is requested. */
    bool untilClosed = false;
    /** Then close and reopen every editor this many times, measuring before and after. */
    int openCloseCycles = 0;
    /** Destroy the host window before sending effEditClose, as careless hosts do. */
    bool destroyParentFirst = false;
    /** Answer audioMasterCanDo("sizeWindow") and audioMasterSizeWindow with 0. */
    bool declineSizeWindow = false;
    /** Host windows carry no window-manager properties, so the host creates no atoms. */
    bool bareWindows = false;
    double paintTimeoutSeconds = 10.0;
};

/** The figures of an open/close run. */
struct CycleReport
{
    int cycles = 0;
    double seconds = 0.0;
    ResourceUse before, after;
};

/** Shows the editors of one or more effects, each in a top-level X window of its own, the
    way a host with the chosen HostPattern does, and closes them again.

    One thread owns the host's X connection and all its windows: the calling thread, or for
    HostPattern::hostThread a thread of its own. That thread opens each editor (effEditGetRect,
    a window of that size, effEditOpen with the window as parent), runs the host's loop (the
    windows' events, the size requests the modules sent, effEditIdle at the pattern's pace),
    waits until every editor has painted (its window's pixels are no longer all the host's
    background and hold still), and then, in this order: saves the screenshot, holds, stays
    until closed, runs the open/close cycles, and closes every editor that is still open
    (effEditClose; the window goes after it, or before it with destroyParentFirst).

    The modules' calls come on whatever thread a module makes them; automation, idle and size
    requests are written to the EventLog, and size requests are carried out by the window
    thread. effOpen and effClose stay with the caller, as does the lifetime of the instances. */
class EditorHost
{
public:
    EditorHost (std::vector<PluginInstance*> instances, EditorSessionOptions options, EventLog& log);
    ~EditorHost();

    EditorHost (const EditorHost&) = delete;
    EditorHost& operator= (const EditorHost&) = delete;

    /** Runs the whole session and returns once every editor is closed. Throws HostError when
        there is no X display, a module shows no editor, or an editor never paints; the
        editors opened so far are closed first. */
    void run();

    /** The figures of the open/close cycles, once they ran. */
    const std::optional<CycleReport>& cycleReport() const noexcept { return cycles; }

    /** Asks a running session to close its editors and return (safe in a signal handler). */
    static void requestStop() noexcept;

    static char letterOf (HostPattern pattern) noexcept;
    static std::optional<HostPattern> patternForLetter (const std::string& letter);
    /** effEditIdle interval of a pattern in milliseconds; 0 for none. */
    static int idleIntervalMs (HostPattern pattern) noexcept;

private:
    struct Editor;

    void session();
    void openEditor (Editor& editor);
    void closeEditor (Editor& editor);
    void closeAll() noexcept;
    /** Runs the host loop for up to `milliseconds`, or until a stop is requested, or until
        `done` says so; without `done`, until no editor is open any more. True when `done`
        said so. */
    bool serve (double milliseconds, const std::function<bool()>& done = {});
    void handleEvents();
    void applySizeRequests();
    void sendIdle();
    void waitUntilPainted (bool holdStill);
    void saveScreenshot();
    void runCycles();
    bool anyOpen() const;
    void log (const std::string& line);

    std::vector<std::unique_ptr<Editor>> editors;
    EditorSessionOptions options;
    EventLog& events;
    Display* display = nullptr;
    double nextIdleMs = 0.0;
    std::optional<CycleReport> cycles;

    static std::atomic<bool> stopFlag;
};

} // namespace qvhost

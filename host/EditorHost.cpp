#include "host/EditorHost.h"
#include "host/EventLog.h"
#include "host/HostError.h"
#include "host/PluginInstance.h"

#include <poll.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <exception>
#include <mutex>
#include <thread>

namespace qvhost
{

std::atomic<bool> EditorHost::stopFlag { false };

namespace
{
    double nowMs()
    {
        using namespace std::chrono;
        return duration<double, std::milli> (steady_clock::now().time_since_epoch()).count();
    }

    std::string hex (unsigned long value)
    {
        char text[32];
        std::snprintf (text, sizeof (text), "0x%lx", value);
        return text;
    }

    std::string number (double value, int decimals)
    {
        char text[64];
        std::snprintf (text, sizeof (text), "%.*f", decimals, value);
        return text;
    }

    constexpr int windowGap = 16;           // between the windows of several instances
    constexpr double mapTimeoutMs = 5000.0;
    constexpr double paintPollMs = 30.0;
    constexpr double settleMs = 300.0;      // before a measurement: let the modules' threads finish
    constexpr int longestWaitMs = 20;       // the loop looks at the stop flag at least this often
}

/** What a module asks of the host from its own threads, kept until the window thread acts.
    Shared with the callback hook, which may still run a moment after the host is gone. */
struct SizeRequests
{
    std::mutex lock;
    std::optional<std::pair<int, int>> pending;
};

struct EditorHost::Editor
{
    int number = 0;
    PluginInstance* instance = nullptr;
    std::string title;
    HostWindow::Placement placement;
    bool placed = false;
    std::unique_ptr<HostWindow> window;
    bool open = false;
    bool painted = false;
    WindowPicture lastPicture;
    std::shared_ptr<SizeRequests> sizeRequests = std::make_shared<SizeRequests>();
};

//==============================================================================
void EditorHost::requestStop() noexcept
{
    stopFlag.store (true);
}

char EditorHost::letterOf (HostPattern pattern) noexcept
{
    switch (pattern)
    {
        case HostPattern::mainThread: return 'a';
        case HostPattern::hostThread: return 'b';
        case HostPattern::slowIdle:   return 'c';
        case HostPattern::noIdle:     return 'd';
    }
    return '?';
}

std::optional<HostPattern> EditorHost::patternForLetter (const std::string& letter)
{
    for (auto pattern : { HostPattern::mainThread, HostPattern::hostThread, HostPattern::slowIdle, HostPattern::noIdle })
        if (letter.size() == 1 && letter[0] == letterOf (pattern))
            return pattern;
    return std::nullopt;
}

int EditorHost::idleIntervalMs (HostPattern pattern) noexcept
{
    switch (pattern)
    {
        case HostPattern::mainThread: return 5;
        case HostPattern::hostThread: return 40;
        case HostPattern::slowIdle:   return 66;
        case HostPattern::noIdle:     return 0;
    }
    return 0;
}

//==============================================================================
EditorHost::EditorHost (std::vector<PluginInstance*> instances, EditorSessionOptions sessionOptions, EventLog& log)
    : options (std::move (sessionOptions)), events (log)
{
    for (size_t i = 0; i < instances.size(); ++i)
    {
        auto editor = std::make_unique<Editor>();
        editor->number = (int) i;
        editor->instance = instances[i];
        editor->title = "qvhost: " + instances[i]->effectName();
        if (instances.size() > 1)
            editor->title += " (" + std::to_string (i + 1) + ")";

        if (options.declineSizeWindow)
            instances[i]->setHostCanDo ("sizeWindow", 0);

        // Runs on the thread the module calls from (its own message thread, mostly): it only
        // writes a line or leaves a request for the window thread, never touches X itself.
        EventLog* eventLog = &events;
        const bool decline = options.declineSizeWindow;
        const std::string who = "instance=" + std::to_string (i);
        auto requests = editor->sizeRequests;
        instances[i]->setCallbackHook ([eventLog, decline, who, requests] (PluginInstance&, int32_t opcode, int32_t index,
                                                                           intptr_t value, void*, float opt)
                                           -> std::optional<intptr_t>
        {
            switch (opcode)
            {
                case vst::audioMasterAutomate:
                    eventLog->write ("automate " + who + " index=" + std::to_string (index) + " value=" + number (opt, 6));
                    return std::nullopt;
                case vst::audioMasterIdle:
                    eventLog->write ("idle " + who + " ms=" + number (eventLog->elapsedMs(), 1));
                    return std::nullopt;
                case vst::audioMasterSizeWindow:
                    eventLog->write ("size-window " + who + " width=" + std::to_string (index) + " height="
                                     + std::to_string (value) + " answer=" + (decline ? "0" : "1"));
                    if (decline)
                        return 0;
                    if (index > 0 && value > 0)
                    {
                        std::lock_guard<std::mutex> guard (requests->lock);
                        requests->pending = std::make_pair ((int) index, (int) value);
                    }
                    return 1;
                default:
                    return std::nullopt;
            }
        });
        editors.push_back (std::move (editor));
    }
}

EditorHost::~EditorHost()
{
    for (auto& editor : editors)
        editor->instance->setCallbackHook ({});
}

void EditorHost::log (const std::string& line)
{
    events.write (line);
}

//==============================================================================
void EditorHost::run()
{
    stopFlag.store (false);

    if (options.pattern != HostPattern::hostThread)
    {
        session();
        return;
    }

    // Like Ardour: the editor lives on a host thread of its own, which also makes its own
    // X connection; the caller's thread keeps the entry, effOpen and effClose.
    std::exception_ptr failure;
    std::thread editorThread ([this, &failure]
    {
        try
        {
            session();
        }
        catch (...)
        {
            failure = std::current_exception();
        }
    });
    editorThread.join();
    if (failure)
        std::rethrow_exception (failure);
}

void EditorHost::session()
{
    display = XOpenDisplay (nullptr);
    if (display == nullptr)
        throw HostError ("cannot open the X display '" + std::string (XDisplayName (nullptr))
                         + "': set DISPLAY, or run under 'xvfb-run -a'");

    try
    {
        for (auto& editor : editors)
            openEditor (*editor);

        waitUntilPainted (true);
        if (! stopFlag.load())
            log ("ready");

        if (! options.screenshotPath.empty() && ! stopFlag.load())
            saveScreenshot();
        if (options.holdSeconds > 0.0)
            serve (options.holdSeconds * 1000.0);
        if (options.untilClosed)
            serve (INFINITY);
        if (options.openCloseCycles > 0 && ! stopFlag.load())
            runCycles();
    }
    catch (...)
    {
        closeAll();
        XCloseDisplay (display);
        display = nullptr;
        throw;
    }

    closeAll();
    XCloseDisplay (display);
    display = nullptr;
}

//==============================================================================
void EditorHost::openEditor (Editor& editor)
{
    PluginInstance& instance = *editor.instance;
    if (! instance.hasFlag (vst::effFlagsHasEditor))
        throw HostError ("'" + instance.module().path() + "' has no editor (effFlagsHasEditor is clear)");

    // The size first, so the window starts right; some modules know it only once open.
    const auto editorSize = [&instance]() -> std::pair<int, int>
    {
        vst::ERect* rect = nullptr;
        if (instance.dispatch (vst::effEditGetRect, 0, 0, &rect) == 0 || rect == nullptr)
            return { 0, 0 };
        return { rect->right - rect->left, rect->bottom - rect->top };
    };
    auto [width, height] = editorSize();
    if (width <= 0 || height <= 0)
    {
        width = 400;
        height = 300;
    }

    if (! editor.placed)
    {
        // Side by side from the top left corner, in rows as wide as the screen: the host
        // can read only the pixels of a window that is wholly on the screen.
        int x = 0, y = 0, rowBottom = 0;
        for (auto& other : editors)
        {
            if (other.get() == &editor)
                break;
            x = other->placement.x + other->placement.width + windowGap;
            y = other->placement.y;
            rowBottom = std::max (rowBottom, other->placement.y + other->placement.height + windowGap);
        }
        if (x > 0 && x + width > DisplayWidth (display, DefaultScreen (display)))
        {
            x = 0;
            y = rowBottom;
        }
        editor.placement = { x, y, width, height };
        editor.placed = true;
    }
    editor.placement.width = width;
    editor.placement.height = height;

    editor.window = std::make_unique<HostWindow> (display, editor.title, editor.placement, options.bareWindows);
    editor.window->show();
    if (! serve (mapTimeoutMs, [&editor] { return editor.window->isMapped(); }) && ! stopFlag.load())
        throw HostError ("the X server did not show the host window within 5 s");

    // Qtractor passes no display; the others pass the connection the window belongs to.
    const intptr_t value = options.pattern == HostPattern::slowIdle ? 0 : (intptr_t) display;
    if (instance.dispatch (vst::effEditOpen, 0, value, (void*) (uintptr_t) editor.window->id()) == 0)
        throw HostError ("'" + instance.module().path() + "' did not open its editor (effEditOpen answered 0)");
    editor.open = true;
    editor.painted = false;
    editor.lastPicture = {};

    const auto [openWidth, openHeight] = editorSize();
    if (openWidth > 0 && openHeight > 0 && (openWidth != width || openHeight != height))
    {
        editor.placement.width = openWidth;
        editor.placement.height = openHeight;
        editor.window->resize (openWidth, openHeight);
    }

    log ("open instance=" + std::to_string (editor.number) + " window=" + hex (editor.window->id())
         + " x=" + std::to_string (editor.placement.x) + " y=" + std::to_string (editor.placement.y)
         + " width=" + std::to_string (editor.placement.width) + " height=" + std::to_string (editor.placement.height)
         + " pattern=" + letterOf (options.pattern));
}

void EditorHost::closeEditor (Editor& editor)
{
    if (! editor.open)
        return;
    editor.open = false;
    const std::string who = "instance=" + std::to_string (editor.number);

    if (options.destroyParentFirst && editor.window && editor.window->exists())
    {
        editor.window->destroy();
        log ("parent-destroyed " + who);
    }

    editor.instance->dispatch (vst::effEditClose);
    editor.window.reset();
    log ("closed " + who);
}

void EditorHost::closeAll() noexcept
{
    for (auto& editor : editors)
    {
        try
        {
            closeEditor (*editor);
        }
        catch (...)
        {
        }
        // Also the window of an editor that never opened: the connection goes next.
        editor->window.reset();
    }
}

bool EditorHost::anyOpen() const
{
    return std::any_of (editors.begin(), editors.end(), [] (const auto& e) { return e->open; });
}

//==============================================================================
bool EditorHost::serve (double milliseconds, const std::function<bool()>& done)
{
    const double deadline = nowMs() + milliseconds;
    const int idleInterval = idleIntervalMs (options.pattern);

    for (;;)
    {
        handleEvents();
        applySizeRequests();
        if (idleInterval > 0 && nowMs() >= nextIdleMs)
        {
            sendIdle();
            nextIdleMs = std::max (nextIdleMs + idleInterval, nowMs());
        }

        if (done && done())
            return true;
        if (stopFlag.load() || (! done && ! anyOpen()))
            return false;

        const double now = nowMs();
        if (now >= deadline)
            return false;

        double wait = std::min ((double) longestWaitMs, deadline - now);
        if (idleInterval > 0)
            wait = std::min (wait, nextIdleMs - now);

        pollfd connection { ConnectionNumber (display), POLLIN, 0 };
        ::poll (&connection, 1, std::max (0, (int) std::ceil (wait)));
    }
}

void EditorHost::handleEvents()
{
    while (XPending (display) > 0)
    {
        XEvent event {};
        XNextEvent (display, &event);

        for (auto& editor : editors)
        {
            if (! editor->window)
                continue;

            const std::string who = "instance=" + std::to_string (editor->number);
            switch (editor->window->handleEvent (event))
            {
                case HostWindow::Change::resized:
                    log ("configure " + who + " width=" + std::to_string (editor->window->width())
                         + " height=" + std::to_string (editor->window->height()));
                    break;
                case HostWindow::Change::closeRequested:
                    log ("close-requested " + who);
                    closeEditor (*editor);
                    break;
                case HostWindow::Change::destroyed:
                    // Someone else destroyed the parent: the editor is closed after the fact,
                    // which a module has to survive.
                    log ("parent-destroyed " + who);
                    closeEditor (*editor);
                    break;
                case HostWindow::Change::none:
                    break;
            }
        }
    }
}

void EditorHost::applySizeRequests()
{
    for (auto& editor : editors)
    {
        std::optional<std::pair<int, int>> request;
        {
            std::lock_guard<std::mutex> guard (editor->sizeRequests->lock);
            request.swap (editor->sizeRequests->pending);
        }
        if (request && editor->open && editor->window)
        {
            editor->placement.width = request->first;
            editor->placement.height = request->second;
            editor->window->resize (request->first, request->second);
        }
    }
}

void EditorHost::sendIdle()
{
    for (auto& editor : editors)
        if (editor->open)
            editor->instance->dispatch (vst::effEditIdle);
}

//==============================================================================
void EditorHost::waitUntilPainted (bool holdStill)
{
    const double start = nowMs();
    for (;;)
    {
        bool allPainted = true;
        for (auto& editor : editors)
        {
            if (! editor->open || editor->painted)
                continue;

            WindowPicture picture = editor->window->capture();
            const bool drawn = ! picture.isEmpty() && ! picture.isBlank();
            if (drawn && (! holdStill || picture == editor->lastPicture))
            {
                editor->painted = true;
                log ("painted instance=" + std::to_string (editor->number) + " ms=" + number (nowMs() - start, 0));
            }
            else
            {
                allPainted = false;
            }
            editor->lastPicture = std::move (picture);
        }

        if (allPainted || stopFlag.load())
            return;

        if (nowMs() - start > options.paintTimeoutSeconds * 1000.0)
        {
            for (auto& editor : editors)
                if (editor->open && ! editor->painted)
                    throw HostError (editor->lastPicture.isEmpty()
                                         ? "cannot read the pixels of host window " + std::to_string (editor->number + 1)
                                               + ": it is not wholly on the screen"
                                         : "the editor of '" + editor->instance->module().path() + "' did not paint within "
                                               + number (options.paintTimeoutSeconds, 0) + " s");
        }

        serve (paintPollMs);
    }
}

void EditorHost::saveScreenshot()
{
    Editor& first = *editors.front();
    if (! first.open)
        return;
    const WindowPicture picture = first.window->capture();
    if (picture.isEmpty())
        throw HostError ("cannot read the host window's pixels (it is not wholly on the screen)");
    picture.savePng (options.screenshotPath);
    log ("screenshot file=" + options.screenshotPath + " width=" + std::to_string (picture.width())
         + " height=" + std::to_string (picture.height()));
}

void EditorHost::runCycles()
{
    CycleReport report;
    serve (settleMs);
    report.before = ResourceMeter::measure (display);

    const double start = nowMs();
    for (int cycle = 0; cycle < options.openCloseCycles && ! stopFlag.load(); ++cycle)
    {
        for (auto& editor : editors)
            closeEditor (*editor);
        for (auto& editor : editors)
            openEditor (*editor);
        waitUntilPainted (false);
        ++report.cycles;
    }
    report.seconds = (nowMs() - start) / 1000.0;

    serve (settleMs);
    report.after = ResourceMeter::measure (display);
    log ("cycles count=" + std::to_string (report.cycles) + " seconds=" + number (report.seconds, 2));
    log ("resources when=before " + report.before.describe());
    log ("resources when=after " + report.after.describe());
    cycles = report;
}

} // namespace qvhost

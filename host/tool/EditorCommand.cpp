#include "host/tool/CommandLine.h"
#include "host/tool/Commands.h"
#include "host/tool/ParameterSettings.h"
#include "host/EditorHost.h"
#include "host/EventLog.h"
#include "host/HostError.h"
#include "host/PluginInstance.h"
#include "host/VstModule.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace qvhost
{

namespace
{
    struct EditorOptions
    {
        std::string modulePath;
        std::vector<ParameterSetting> parameters;
        std::optional<int32_t> program;
        std::string eventsPath;
        int instances = 1;
        EditorSessionOptions session;
    };

    EditorOptions parseOptions (const CommandLine& line)
    {
        line.expectPositionals ({ "MODULE" });
        EditorOptions o;
        o.modulePath = line.positionals()[0];
        o.parameters = parseParameterSettings (line);
        if (auto program = line.value ("program"))
            o.program = (int32_t) parseWhole (*program, "--program");

        if (auto letter = line.value ("pattern"))
        {
            const auto pattern = EditorHost::patternForLetter (*letter);
            if (! pattern)
                throw UsageError ("bad --pattern '" + *letter + "': use a, b, c or d");
            o.session.pattern = *pattern;
        }

        if (auto path = line.value ("screenshot"))
        {
            if (path->empty())
                throw UsageError ("--screenshot needs a file name");
            o.session.screenshotPath = *path;
        }
        if (auto hold = line.value ("hold"))
        {
            o.session.holdSeconds = parseNumber (*hold, "--hold");
            if (o.session.holdSeconds < 0.0 || o.session.holdSeconds > 86400.0)
                throw UsageError ("bad --hold '" + *hold + "': use 0 to 86400 seconds");
        }
        if (auto n = line.value ("open-close"))
        {
            const auto count = parseWhole (*n, "--open-close");
            if (count < 1 || count > 1000000)
                throw UsageError ("bad --open-close '" + *n + "': use 1 to 1000000 cycles");
            o.session.openCloseCycles = (int) count;
        }
        if (auto n = line.value ("instances"))
        {
            const auto count = parseWhole (*n, "--instances");
            if (count < 1 || count > 16)
                throw UsageError ("bad --instances '" + *n + "': use 1 to 16");
            o.instances = (int) count;
        }
        if (auto path = line.value ("events"))
            o.eventsPath = *path;

        o.session.destroyParentFirst = line.has ("destroy-parent-first");
        o.session.declineSizeWindow = line.has ("decline-size-window");
        o.session.bareWindows = line.has ("bare-window");

        // Nothing that ends the session by itself: stay open for the person at the screen.
        o.session.untilClosed = o.session.screenshotPath.empty() && ! line.has ("hold") && o.session.openCloseCycles == 0;
        return o;
    }

    extern "C" void stopOnSignal (int)
    {
        EditorHost::requestStop();
    }

    /** Closes the editors cleanly on an interrupt instead of dying with them open. */
    struct StopSignals
    {
        StopSignals()
        {
            for (int s : { SIGINT, SIGTERM, SIGHUP })
                std::signal (s, stopOnSignal);
        }
        ~StopSignals()
        {
            for (int s : { SIGINT, SIGTERM, SIGHUP })
                std::signal (s, SIG_DFL);
        }
    };

    void printResources (const char* when, const ResourceUse& use)
    {
        std::printf ("  %-7s resident %ld KiB", when, use.residentKb);
        if (use.xResources >= 0)
            std::printf (", %ld X resources on %d connection%s (pixmaps %ld KiB)", use.xResources, use.xConnections,
                         use.xConnections == 1 ? "" : "s", use.xPixmapKb);
        std::printf (", %ld windows on the screen\n", use.windowsOnScreen);
    }
}

static int runEditor (const std::vector<std::string>& arguments)
{
    CommandLine line (arguments, { { "pattern", true }, { "param", true, true }, { "program", true },
                                   { "screenshot", true }, { "hold", true }, { "events", true },
                                   { "decline-size-window" }, { "destroy-parent-first" }, { "open-close", true },
                                   { "instances", true }, { "bare-window" } });
    if (line.wantsHelp())
    {
        std::cout << editorCommand.help;
        return exitOk;
    }
    EditorOptions o = parseOptions (line);

    const char* display = std::getenv ("DISPLAY");
    if (display == nullptr || *display == 0)
        throw HostError ("no X display (DISPLAY is not set): run under 'xvfb-run -a' or on a desktop");

    // The log outlives the instances: a module may report while its effect closes.
    EventLog events = o.eventsPath.empty() ? EventLog() : EventLog (o.eventsPath);

    auto module = VstModule::load (o.modulePath);
    std::vector<std::unique_ptr<PluginInstance>> instances;
    std::vector<PluginInstance*> pointers;
    for (int i = 0; i < o.instances; ++i)
    {
        instances.push_back (std::make_unique<PluginInstance> (module));
        PluginInstance& instance = *instances.back();
        instance.open();
        if (o.program)
            instance.setProgram (*o.program);
        applyParameterSettings (instance, o.parameters);
        pointers.push_back (&instance);
    }

    std::optional<CycleReport> report;
    {
        StopSignals signals;
        EditorHost host (pointers, o.session, events);
        host.run();
        report = host.cycleReport();
    }

    for (auto& instance : instances)
        instance->close();
    instances.clear();

    if (! o.session.screenshotPath.empty())
        std::printf ("wrote %s\n", o.session.screenshotPath.c_str());
    if (report)
    {
        std::printf ("%d open/close cycles in %.1f s\n", report->cycles, report->seconds);
        printResources ("before:", report->before);
        printResources ("after:", report->after);
    }
    return exitOk;
}

const Command editorCommand {
    "editor",
    "editor MODULE [options]              show the module's editor in a window of this host",
    "usage: qvhost editor MODULE [options]\n"
    "\n"
    "Opens the editor of one effect of MODULE in a top-level X window of qvhost's own, sized\n"
    "from effEditGetRect, with the window as effEditOpen's parent. It waits until the editor\n"
    "has painted (the window's pixels are drawn and hold still), then, in this order: saves\n"
    "the screenshot, holds, runs the open/close cycles; then it closes the editor\n"
    "(effEditClose), the effect (effClose) and unloads the module. Without --screenshot,\n"
    "--hold or --open-close it stays open until its window is closed (or Ctrl-C).\n"
    "It needs an X display and starts none: on a machine without one, run it under\n"
    "'xvfb-run -a -s \"-screen 0 1280x1024x24\"' (screenshots need a true-colour screen).\n"
    "\n"
    "options:\n"
    "  --pattern a|b|c|d     how the host drives the editor (default a):\n"
    "                        a  everything on the main thread, effEditIdle every 5 ms\n"
    "                           (like Carla)\n"
    "                        b  effEditOpen, effEditIdle (every 40 ms) and effEditClose on a\n"
    "                           host thread with its own X connection; the entry, effOpen\n"
    "                           and effClose on the main thread (like Ardour)\n"
    "                        c  everything on the main thread, effEditIdle every 66 ms,\n"
    "                           effEditOpen's value 0 instead of the X display (like Qtractor)\n"
    "                        d  everything on the main thread, never any effEditIdle\n"
    "  --param NAME=VALUE    set a parameter before opening; repeatable ('qvhost render\n"
    "  --param INDEX=VALUE   --help' tells how names are found)\n"
    "  --program N           select program N before opening\n"
    "  --screenshot OUT.png  save a PNG of the host window (the editor inside it) once painted\n"
    "  --hold SECONDS        stay open that long once painted\n"
    "  --open-close N        then close and reopen the editor N times, and print resident\n"
    "                        memory and X resources (per connection of this process, where\n"
    "                        the server has X-Resource; windows on the screen) before and after\n"
    "  --instances N         N effects, each with its editor in its own window, side by side\n"
    "  --events FILE         write what happens, one event a line, to FILE ('-': stdout)\n"
    "  --decline-size-window answer audioMasterCanDo(\"sizeWindow\") and audioMasterSizeWindow\n"
    "                        with 0, so the module has to resize the windows itself\n"
    "  --destroy-parent-first  destroy the host window before sending effEditClose\n"
    "  --bare-window         give the host window no window-manager properties (no\n"
    "                        WM_PROTOCOLS, no _NET_WM_PID): qvhost then creates no X atoms\n"
    "\n"
    "Events (each line a name, then key=value fields; instance=N counts from 0):\n"
    "  open instance window x y width height pattern   an editor is open in that window\n"
    "  painted instance ms      it has painted, ms after the wait began\n"
    "  ready                    every editor has painted\n"
    "  automate instance index value   audioMasterAutomate\n"
    "  idle instance ms         audioMasterIdle, ms since the start\n"
    "  size-window instance width height answer   audioMasterSizeWindow\n"
    "  configure instance width height   the host window's size changed\n"
    "  close-requested instance the window manager asked to close the window\n"
    "  parent-destroyed instance   the host window is gone (before effEditClose)\n"
    "  closed instance          effEditClose sent\n"
    "  screenshot file width height\n"
    "  cycles count seconds, then resources when=before|after rss-kb x-connections\n"
    "    x-resources x-pixmap-kb windows   (-1: not known)\n",
    runEditor,
};

} // namespace qvhost

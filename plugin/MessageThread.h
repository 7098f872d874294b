#pragma once
#include <functional>

/** The JUCE message thread of this module.

    On Linux nothing runs JUCE's message loop inside a host: hosts call the
    entry, the editor opcodes and the idle opcode on whatever threads they
    like (one thread, a separate X11 thread, or idle not at all). So the
    module runs its own message thread, shared by all its instances: timers,
    change messages, the editor's painting and mouse handling all happen
    there, whatever the host does. Work that must not race with them
    (closing an instance, opening or closing an editor) is handed to it with
    callSync. The thread starts with the first instance and stops when the
    module is unloaded; no window-system connection is made until an editor
    is opened. */
namespace MessageThread
{
    /** Starts the thread if needed and returns once its message manager exists. */
    void ensureRunning();

    /** Runs fn on the message thread and waits for it; runs it directly when
        called there (or when no message thread runs). fn must not throw. */
    void callSync (const std::function<void()>& fn);

    bool isThisTheMessageThread();

    /** An instance begins: starts the message thread when needed. */
    void acquire();

    /** An instance has ended. When it was the last, the Linux message thread
        stops and JUCE shuts down; the next instance starts them again. */
    void release();

    /** Stops the loop, shuts JUCE down on that thread and joins it. */
    void stop();

    /** For module unload with instances still alive: ends the loop and joins
        the thread without shutting JUCE down (that would wait for the loader
        lock the unload holds). */
    void abandon();
}

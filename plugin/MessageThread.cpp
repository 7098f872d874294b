#include "plugin/MessageThread.h"
#include "plugin/HostWindowOps.h"
#include <atomic>
#include <juce_events/juce_events.h>
#include <juce_gui_basics/juce_gui_basics.h>

#if defined(_WIN32)
#include <mutex>

// On Windows the host's user-interface thread already runs a message loop,
// and JUCE's windows, timers and change messages ride on it: the thread that
// first calls the entry becomes the message thread and no thread of our own
// is started.
namespace MessageThread
{
namespace
{
    std::mutex stateMutex;
    bool initialised = false;
}

void ensureRunning()
{
    std::lock_guard<std::mutex> lock (stateMutex);

    // Creating the message manager binds it to the calling thread. Later
    // entry calls from other threads leave it there: JUCE's windows belong to
    // the thread that made them.
    if (! initialised)
    {
        juce::initialiseJuce_GUI();
        initialised = true;
    }
}

bool isThisTheMessageThread()
{
    return juce::MessageManager::existsAndIsCurrentThread();
}

void callSync (const std::function<void()>& fn)
{
    auto* mm = juce::MessageManager::getInstanceWithoutCreating();

    if (mm == nullptr || mm->isThisTheMessageThread())
    {
        fn();
        return;
    }

    // Waits until the host's message loop on the message thread runs it.
    mm->callFunctionOnMessageThread (
        [] (void* p) -> void*
        {
            (*static_cast<const std::function<void()>*> (p))();
            return nullptr;
        },
        const_cast<std::function<void()>*> (&fn));
}

void stop()
{
    std::lock_guard<std::mutex> lock (stateMutex);

    if (! initialised)
        return;

    juce::shutdownJuce_GUI();
    initialised = false;
}
}

#else
#include <condition_variable>
#include <mutex>
#include <thread>

extern "C" int __cxa_atexit (void (*function) (void*), void* argument, void* dso);
extern "C" void* __dso_handle;

namespace juce
{
    // Polls JUCE's message socket and X connection once; part of the Linux
    // message loop, with external linkage but in no public header.
    bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

namespace MessageThread
{
namespace
{
    std::mutex stateMutex;
    std::condition_variable started;
    std::thread worker;
    bool running = false;
    bool ready = false;
    std::atomic<bool> quitRequested { false };
    std::atomic<bool> wakePosted { false };
    std::atomic<bool> skipShutdown { false };

    void run()
    {
        juce::initialiseJuce_GUI();
        auto* mm = juce::MessageManager::getInstance();
        mm->setCurrentThreadAsMessageThread();

        {
            std::lock_guard<std::mutex> lock (stateMutex);
            ready = true;
        }
        started.notify_all();

        while (! quitRequested.load())
            juce::dispatchNextMessageOnSystemQueue (false);

        // The thread that asked for the stop may still be inside JUCE's queue,
        // posting the message that woke this loop; the queue must outlive that.
        while (! wakePosted.load())
            std::this_thread::yield();

        if (! skipShutdown.load())
            juce::shutdownJuce_GUI();
    }

    void join (bool shutDownJuce)
    {
        std::unique_lock<std::mutex> lock (stateMutex);

        if (! running)
            return;

        skipShutdown = ! shutDownJuce;
        wakePosted = false;
        quitRequested = true;
        // Wake the blocking poll with an empty message so the loop sees the flag.
        juce::MessageManager::callAsync ([] {});
        wakePosted = true;
        lock.unlock();

        worker.join();

        lock.lock();
        running = false;
        ready = false;
    }
}

void ensureRunning()
{
    std::unique_lock<std::mutex> lock (stateMutex);

    if (! running)
    {
        quitRequested = false;
        ready = false;
        worker = std::thread (run);
        running = true;

        // A host that exits with instances still open runs the exit handlers
        // with the loop alive: the thread object's destructor would then end
        // the process with std::terminate. Registered after the module's own
        // static objects, this handler runs before their destructors.
        // Tied to this module (not to the process), so unloading the module
        // drops the handler with it.
        static const bool exitHandlerRegistered = __cxa_atexit ([] (void*) { abandon(); }, nullptr, &__dso_handle) == 0;
        (void) exitHandlerRegistered;
    }

    started.wait (lock, [] { return ready; });
}

bool isThisTheMessageThread()
{
    return juce::MessageManager::existsAndIsCurrentThread();
}

void callSync (const std::function<void()>& fn)
{
    bool threadRunning;
    {
        std::lock_guard<std::mutex> lock (stateMutex);
        threadRunning = running && ready;
    }

    if (! threadRunning || isThisTheMessageThread())
    {
        fn();
        return;
    }

    juce::MessageManager::getInstance()->callFunctionOnMessageThread (
        [] (void* p) -> void*
        {
            (*static_cast<const std::function<void()>*> (p))();
            return nullptr;
        },
        const_cast<std::function<void()>*> (&fn));
}

void stop()
{
    join (true);
    HostWindowOps::get().shutdown();
}

void abandon()
{
    // Shutting JUCE down unloads the X libraries, which needs the loader
    // lock that a module destructor already holds: only the loop is ended.
    join (false);
    HostWindowOps::get().shutdown();
}
}
#endif

namespace MessageThread
{
namespace
{
    std::atomic<int> instances { 0 };
}

void acquire()
{
    ensureRunning();
    ++instances;
}

void release()
{
    const int remaining = --instances;

    if (remaining < 0)
        instances = 0;   // wrappers made without the entry (in-process tests)

    if (remaining > 0)
        return;

#if ! defined(_WIN32)
    // The last instance is gone: stop the thread and shut JUCE down now,
    // outside the loader lock, so unloading the module has nothing left to
    // wait for. The next entry call starts afresh.
    if (! isThisTheMessageThread())
        stop();
#endif
}
}

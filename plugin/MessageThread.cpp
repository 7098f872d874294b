#include "plugin/MessageThread.h"
#include <juce_events/juce_events.h>
#include <juce_gui_basics/juce_gui_basics.h>
#include <condition_variable>
#include <mutex>
#include <thread>

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

        juce::shutdownJuce_GUI();
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
    std::unique_lock<std::mutex> lock (stateMutex);

    if (! running)
        return;

    quitRequested = true;
    // Wake the blocking poll with an empty message so the loop sees the flag.
    juce::MessageManager::callAsync ([] {});
    lock.unlock();

    worker.join();

    lock.lock();
    running = false;
    ready = false;
}
}

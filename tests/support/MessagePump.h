#pragma once
#include <juce_events/juce_events.h>
#include <juce_gui_basics/juce_gui_basics.h>
#include <thread>

namespace juce
{
    bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

namespace qvtest
{
    /** Runs the calling thread's JUCE message loop until nothing is pending. */
    inline void pumpMessages()
    {
        while (juce::dispatchNextMessageOnSystemQueue (true)) {}
    }

    /** Runs the message loop for a while, so timers get their turn. */
    inline void pumpMessagesFor (int milliseconds)
    {
        const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) milliseconds;

        while (juce::Time::getMillisecondCounter() < end)
        {
            pumpMessages();
            std::this_thread::sleep_for (std::chrono::milliseconds (2));
        }

        pumpMessages();
    }

    /** Counts the change messages a broadcaster delivers. */
    struct ChangeCounter : juce::ChangeListener
    {
        explicit ChangeCounter (juce::ChangeBroadcaster& b) : broadcaster (b) { broadcaster.addChangeListener (this); }
        ~ChangeCounter() override { broadcaster.removeChangeListener (this); }
        void changeListenerCallback (juce::ChangeBroadcaster*) override { ++count; }

        juce::ChangeBroadcaster& broadcaster;
        int count = 0;
    };
}

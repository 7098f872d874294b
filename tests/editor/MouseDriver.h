#pragma once
#include <juce_gui_basics/juce_gui_basics.h>

/** Puts a component on the desktop (a real X window under Xvfb) and feeds
    mouse events into its window peer, at the same entry the X11 event loop
    uses. So JUCE's own hit-testing, click and drag logic decide which child
    gets what, exactly as for a user. */
class MouseDriver
{
public:
    explicit MouseDriver (juce::Component& topLevel);
    ~MouseDriver();

    /** Press and release over a point of target (its centre by default). */
    void click (juce::Component& target);
    void click (juce::Component& target, juce::Point<int> local);
    void doubleClick (juce::Component& target);

    /** Press at from, move through the points, release at the last one. */
    void drag (juce::Component& target, juce::Point<int> from, std::initializer_list<juce::Point<int>> path);

    juce::ComponentPeer& getPeer() const noexcept { return *peer; }

private:
    void send (juce::Point<int> peerPosition, bool buttonDown, int gapMs);
    juce::Point<int> toPeer (juce::Component& target, juce::Point<int> local) const;

    juce::Component& component;
    juce::ComponentPeer* peer = nullptr;
    juce::int64 eventTime = 0;

    JUCE_DECLARE_NON_COPYABLE (MouseDriver)
};

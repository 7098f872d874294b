#pragma once
#include "plugin/HostWindowOps.h"

/** Window hosting on Windows.

    The editor becomes a top-level window first and is then re-parented into
    the host's window with the child style, which is how VST 2.4 hosts expect
    a plug-in window to sit in theirs. Host frames are found and resized by
    walking up the parent chain: a walk ends at an MDI client (whose child
    is the host's frame), at a window whose border around its child is exactly
    two dialog frames wide, or at an ancestor more than 100 pixels larger than
    its child, which keeps its size. */
class Win32HostWindowOps : public HostWindowOps
{
public:
    void attachToHost (juce::Component& window, void* hostWindow) override;
    void bringHostFrameToFront (void* nativeWindow) override;
    void resizeHostFrames (void* nativeWindow, int width, int height) override;
    void shutdown() override {}

    /** The host window that frames this one (see the class notes); the window
        itself when no ancestor qualifies. */
    static void* findHostFrame (void* nativeWindow);
};

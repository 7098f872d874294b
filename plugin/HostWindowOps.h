#pragma once
#include <juce_gui_basics/juce_gui_basics.h>

/** The few native window operations the editor hosting needs, behind one
    interface so the rest of the hosting code is the same on every window
    system. All calls run on the message thread. */
class HostWindowOps
{
public:
    virtual ~HostWindowOps() = default;

    /** The implementation for this platform. */
    static HostWindowOps& get();

    /** Puts the editor's window on the desktop as a child of the host's window. */
    virtual void attachToHost (juce::Component& window, void* hostWindow) = 0;

    /** Takes the editor's window off the desktop (out of the host's window) and frees
        what the window system kept for it. */
    virtual void detachFromHost (juce::Component& window) { window.removeFromDesktop(); }

    /** Brings the host's frame around this window to the top of the window order. */
    virtual void bringHostFrameToFront (void* nativeWindow) = 0;

    /** Resizes this window to width x height and grows the host windows that
        hold it by the borders they had around it, walking upwards. */
    virtual void resizeHostFrames (void* nativeWindow, int width, int height) = 0;

    /** Undoes process-wide changes (such as installed error handlers) before the
        module is unloaded. */
    virtual void shutdown() = 0;
};

#pragma once
#include "plugin/HostWindowOps.h"
#include "plugin/X11Library.h"
#include <atomic>
#include <map>

/** Window hosting on X11.

    The editor's X window is created as a child of the window the host passes.
    Host frames are found and resized by walking up the window tree with the
    same rules as on Windows, adapted where X11 has no equivalent: there is no
    MDI client, and instead of a dialog frame of fixed thickness the walk ends
    at the host's top-level window (the child of the root, or the window a
    window manager marked with WM_STATE), whose window-manager frame follows
    it by itself. An ancestor more than 100 pixels larger than its child keeps
    its size, as on Windows.

    JUCE makes a colormap for each window it creates and never frees it: one X
    resource lost per editor opened. Its id is read when the window is attached
    (the window may be gone by the time the editor closes, if the host destroyed
    its own window first) and the colormap is freed once JUCE has destroyed the
    window.

    X errors caused by the plug-in's own X work (on its message thread) are
    recorded and ignored: Xlib's default handler would exit the host, which is
    what happens on a bare X server without the window-manager atoms JUCE asks
    for, or when a host destroys its window before closing the editor. Errors
    on the host's threads still reach the host's own handler. */
class X11HostWindowOps : public HostWindowOps
{
public:
    void attachToHost (juce::Component& window, void* hostWindow) override;
    void detachFromHost (juce::Component& window) override;
    void bringHostFrameToFront (void* nativeWindow) override;
    void resizeHostFrames (void* nativeWindow, int width, int height) override;
    void shutdown() override;

    /** How many X errors the plug-in's X work has met and ignored so far. */
    static int getIgnoredErrorCount() noexcept { return ignoredErrors.load(); }

private:
    /** Opens the own connection and installs the error handler; false without X. */
    bool ensureConnected();
    void installErrorHandler();

    void rememberColormap (Window w);

    Window parentOf (Window w) const;
    bool isTopLevel (Window w) const;

    static int handleError (Display*, XErrorEvent*);

    X11Library* x = nullptr;
    Display* display = nullptr;
    Atom wmState = None;
    std::map<Window, Colormap> colormaps;   // of the editor windows attached now

    static XErrorHandler previousHandler;
    static std::atomic<int> ignoredErrors;
    static std::atomic<Display*> ownDisplay;
};

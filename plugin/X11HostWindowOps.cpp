#include "plugin/X11HostWindowOps.h"
#include "plugin/MessageThread.h"

XErrorHandler X11HostWindowOps::previousHandler = nullptr;
std::atomic<int> X11HostWindowOps::ignoredErrors { 0 };
std::atomic<Display*> X11HostWindowOps::ownDisplay { nullptr };

#if ! defined(_WIN32)
HostWindowOps& HostWindowOps::get()
{
    static X11HostWindowOps ops;
    return ops;
}
#endif

int X11HostWindowOps::handleError (Display* d, XErrorEvent* e)
{
    // The message thread does all of the plug-in's X work (JUCE's windows
    // and this class's own calls); anything else belongs to the host.
    if (MessageThread::isThisTheMessageThread() || (d != nullptr && d == ownDisplay.load()))
    {
        ++ignoredErrors;
        return 0;
    }

    return previousHandler != nullptr ? previousHandler (d, e) : 0;
}

void X11HostWindowOps::installErrorHandler()
{
    if (x == nullptr)
        return;

    const XErrorHandler current = x->setErrorHandler (handleError);

    // Keep whatever the host (or anyone after us) installed as the handler
    // for everything that is not ours.
    if (current != handleError)
        previousHandler = current;
}

bool X11HostWindowOps::ensureConnected()
{
    if (x == nullptr)
        x = X11Library::get();

    if (x == nullptr)
        return false;

    installErrorHandler();

    if (display == nullptr)
    {
        display = x->openDisplay (nullptr);
        ownDisplay = display;

        if (display != nullptr)
            wmState = x->internAtom (display, "WM_STATE", True);   // None without a window manager
    }

    return display != nullptr;
}

void X11HostWindowOps::attachToHost (juce::Component& window, void* hostWindow)
{
    // The handler must be in place before JUCE opens its connection: that is
    // where the missing window-manager atoms first cause errors.
    const bool connected = ensureConnected();
    window.addToDesktop (0, hostWindow);

    if (auto* peer = window.getPeer(); peer != nullptr && connected)
        rememberColormap ((Window) (uintptr_t) peer->getNativeHandle());
}

void X11HostWindowOps::rememberColormap (Window w)
{
    // Read on this module's own connection. Should JUCE's connection not have
    // sent the new window yet, the look-up fails quietly (the error trap) and
    // is tried again when the editor closes.
    XWindowAttributes a {};
    if (x->getWindowAttributes (display, w, &a) == 0 || a.colormap == None)
        return;

    if (a.screen != nullptr && a.colormap == DefaultColormapOfScreen (a.screen))
        return;

    colormaps[w] = a.colormap;
}

void X11HostWindowOps::detachFromHost (juce::Component& window)
{
    auto* peer = window.getPeer();
    const Window w = peer != nullptr ? (Window) (uintptr_t) peer->getNativeHandle() : 0;

    if (w != 0 && colormaps.count (w) == 0 && ensureConnected())
        rememberColormap (w);

    // JUCE destroys the window and waits for the server before this returns.
    window.removeFromDesktop();

    const auto found = colormaps.find (w);
    if (found == colormaps.end())
        return;

    if (display != nullptr)
    {
        x->freeColormap (display, found->second);
        x->sync (display, False);
    }
    colormaps.erase (found);
}

Window X11HostWindowOps::parentOf (Window w) const
{
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;

    if (x->queryTree (display, w, &root, &parent, &children, &count) == 0)
        return 0;

    if (children != nullptr)
        x->free (children);

    return parent == root ? 0 : parent;
}

bool X11HostWindowOps::isTopLevel (Window w) const
{
    if (wmState == None)
        return false;

    Atom type = None;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;

    const bool found = x->getWindowProperty (display, w, wmState, 0, 1, False, AnyPropertyType, &type, &format,
                                             &items, &remaining, &data) == Success
                       && type != None;
    if (data != nullptr)
        x->free (data);

    return found;
}

void X11HostWindowOps::bringHostFrameToFront (void* nativeWindow)
{
    if (nativeWindow == nullptr || ! ensureConnected())
        return;

    // The outermost ancestor below the root is the host's frame (or the
    // window manager's frame around it).
    Window w = (Window) (uintptr_t) nativeWindow;

    for (Window parent = parentOf (w); parent != 0; parent = parentOf (w))
        w = parent;

    x->raiseWindow (display, w);
    x->sync (display, False);
}

void X11HostWindowOps::resizeHostFrames (void* nativeWindow, int width, int height)
{
    if (nativeWindow == nullptr || width <= 0 || height <= 0 || ! ensureConnected())
        return;

    const auto outerSize = [this] (Window w, int& ww, int& wh)
    {
        XWindowAttributes a {};
        if (x->getWindowAttributes (display, w, &a) == 0)
            return false;
        ww = a.width + 2 * a.border_width;
        wh = a.height + 2 * a.border_width;
        return true;
    };

    Window w = (Window) (uintptr_t) nativeWindow;
    int dw = 0, dh = 0;

    for (int depth = 0; depth < 64; ++depth)
    {
        const Window parent = parentOf (w);

        if (parent == 0)
        {
            x->resizeWindow (display, w, (unsigned) (width + dw), (unsigned) (height + dh));
            break;
        }

        int ww = 0, wh = 0, pw = 0, ph = 0;
        if (! outerSize (w, ww, wh) || ! outerSize (parent, pw, ph))
            break;

        x->resizeWindow (display, w, (unsigned) (width + dw), (unsigned) (height + dh));

        if (isTopLevel (w))
            break;

        dw = pw - ww;
        dh = ph - wh;
        w = parent;

        if (dw > 100 || dh > 100)
            break;
    }

    x->sync (display, False);
}

void X11HostWindowOps::shutdown()
{
    if (x == nullptr)
        return;

    if (display != nullptr)
    {
        x->closeDisplay (display);
        display = nullptr;
        ownDisplay = nullptr;
    }

    colormaps.clear();

    // Hand the error handler back before this code is unmapped; if someone
    // installed another one after us, leave theirs in place.
    const XErrorHandler current = x->setErrorHandler (previousHandler);

    if (current != handleError)
        x->setErrorHandler (current);

    previousHandler = nullptr;
}

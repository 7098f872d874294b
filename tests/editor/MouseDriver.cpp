#include "tests/editor/MouseDriver.h"
#include <dlfcn.h>
#include <stdexcept>

namespace
{
    /** A bare Xvfb has no window manager, so the window-manager atoms JUCE
        sets on a new window do not exist. Xlib's default handler would end
        the process on the first such error (JUCE installs its own only in
        stand-alone applications); a test program ignores them, as an
        application would. */
    void ignoreXErrors()
    {
        using ErrorHandler = int (*) (void*, void*);
        using SetErrorHandler = ErrorHandler (*) (ErrorHandler);

        static bool installed = false;
        if (installed)
            return;

        if (auto* x11 = dlopen ("libX11.so.6", RTLD_NOW | RTLD_GLOBAL))
            if (auto set = reinterpret_cast<SetErrorHandler> (dlsym (x11, "XSetErrorHandler")))
                set ([] (void*, void*) { return 0; });

        installed = true;
    }
}

MouseDriver::MouseDriver (juce::Component& topLevel)
    : component (topLevel)
{
    ignoreXErrors();
    component.setVisible (true);
    component.addToDesktop (0);
    peer = component.getPeer();

    if (peer == nullptr)
        throw std::runtime_error ("no window peer (is there an X display?)");

    eventTime = juce::Time::currentTimeMillis();
}

MouseDriver::~MouseDriver()
{
    juce::ModifierKeys::currentModifiers = {};
    component.removeFromDesktop();
}

juce::Point<int> MouseDriver::toPeer (juce::Component& target, juce::Point<int> local) const
{
    return component.getLocalPoint (&target, local);
}

void MouseDriver::send (juce::Point<int> peerPosition, bool buttonDown, int gapMs)
{
    // What the X11 event loop does per button or motion event: keep the
    // global modifier state, then hand the event to the peer.
    eventTime += gapMs;
    juce::ModifierKeys::currentModifiers = buttonDown
        ? juce::ModifierKeys::currentModifiers.withFlags (juce::ModifierKeys::leftButtonModifier)
        : juce::ModifierKeys::currentModifiers.withoutMouseButtons();

    peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, peerPosition.toFloat(),
                            juce::ModifierKeys::currentModifiers, juce::MouseInputSource::defaultPressure,
                            juce::MouseInputSource::defaultOrientation, eventTime);
}

void MouseDriver::click (juce::Component& target)
{
    click (target, target.getLocalBounds().getCentre());
}

void MouseDriver::click (juce::Component& target, juce::Point<int> local)
{
    const auto p = toPeer (target, local);
    // Well apart from the last click, so it never counts as a double-click.
    send (p, false, 1000);
    send (p, true, 10);
    send (p, false, 10);
}

void MouseDriver::doubleClick (juce::Component& target)
{
    const auto p = toPeer (target, target.getLocalBounds().getCentre());
    send (p, false, 1000);
    send (p, true, 10);
    send (p, false, 10);
    send (p, true, 40);
    send (p, false, 10);
}

void MouseDriver::drag (juce::Component& target, juce::Point<int> from, std::initializer_list<juce::Point<int>> path)
{
    auto p = toPeer (target, from);
    send (p, false, 1000);
    send (p, true, 10);

    for (auto local : path)
    {
        p = toPeer (target, local);
        send (p, true, 20);
    }

    send (p, false, 10);
}

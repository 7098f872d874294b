#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** Drives the X server's pointer with the XTEST extension, so a test's clicks
    and drags reach the controls as real X events through JUCE's own event
    handling: the window peer, MouseInputSource, hit testing, click and drag
    tracking. Needs an X display (the test program re-runs itself under
    xvfb-run when there is none).

    A control under test is placed in a real top-level window; positions are
    given in the control's own coordinates.
*/
class RealMouse
{
public:
    RealMouse();
    ~RealMouse();

    /** Empty if the display or XTEST cannot be used. */
    juce::String problem() const { return failure; }

    /** Shows `control` at (40, 40) inside a new desktop window and waits
        until the window is mapped and receives pointer events. */
    bool show (juce::Component& control);

    /** Moves the pointer to (x, y) of the shown control and waits until JUCE
        has seen the motion. */
    void moveTo (int x, int y);
    /** Left button down / up where the pointer is; waits until delivered. */
    void press();
    void release();

    /** One notch of the scroll wheel (X buttons 4 and 5). */
    void wheel (bool up);

    /** Press at (x, y) and release there: a plain click. */
    void clickAt (int x, int y)      { moveTo (x, y); press(); release(); }

    /** Mouse-down, -drag and -up events the shown control has received. */
    int downs() const noexcept { return counter.downs; }
    int drags() const noexcept { return counter.drags; }
    int ups() const noexcept   { return counter.ups; }
    int doubleClicks() const noexcept { return counter.doubleClicks; }
    int wheels() const noexcept { return counter.wheels; }
    juce::Point<int> lastPosition() const noexcept { return counter.last; }

private:
    struct Counter : juce::MouseListener
    {
        void mouseMove (const juce::MouseEvent& e) override  { ++moves; last = e.getPosition(); }
        void mouseEnter (const juce::MouseEvent& e) override { ++moves; last = e.getPosition(); }
        void mouseDown (const juce::MouseEvent& e) override  { ++downs; last = e.getPosition(); }
        void mouseDrag (const juce::MouseEvent& e) override  { ++drags; last = e.getPosition(); }
        void mouseUp (const juce::MouseEvent& e) override    { ++ups; last = e.getPosition(); }
        void mouseDoubleClick (const juce::MouseEvent&) override { ++doubleClicks; }
        void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override { ++wheels; }
        int moves = 0, downs = 0, drags = 0, ups = 0, doubleClicks = 0, wheels = 0;
        juce::Point<int> last;
    };

    struct Api;
    std::unique_ptr<Api> api;
    juce::String failure;
    std::unique_ptr<juce::Component> window;
    juce::Component* control = nullptr;
    Counter counter;
    bool buttonDown = false;
    juce::Point<int> pointer { -1, -1 };
};

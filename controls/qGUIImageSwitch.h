#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "controls/EmbeddedImages.h"

/** Common body of the two-state image switches.

    The switch keeps a number of its own (0.0 off, 1.0 on) next to the
    juce::Button toggle state; the picture follows the toggle state, which is
    on only for exactly 1.0. A completed click flips the number before the
    Button tells its listeners, so they already read the new value.
*/
class qGUIImageSwitch : public juce::Button
{
public:
    ~qGUIImageSwitch() override;

    /** Toggle state := (value == 1.0), silently; then stores value. No
        listener is called. */
    void setButtonValue (double value);
    double getButtonValue() const noexcept        { return buttonValue; }

    int getFrameWidth() const noexcept            { return frameWidth; }
    int getFrameHeight() const noexcept           { return frameHeight; }

    void clicked() override;
    void paintButton (juce::Graphics&, bool isMouseOverButton, bool isButtonDown) override;

protected:
    /** image: the two-frame picture ("off" on top); the component takes the
        size of one frame. */
    qGUIImageSwitch (const EmbeddedImage& image, int width, int frameHeight);

    double buttonValue = 0.0;
    juce::Image imageOff;
    juce::Image imageOn;
    const int frameWidth;
    const int frameHeight;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIImageSwitch)
};

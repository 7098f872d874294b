#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Two-state switch pictures: two frames stacked, "off" on top, "on" below. */
namespace ButtonArt
{
    /** A small plate with a caption: light and engraved when off, lit
        orange with white lettering when on. */
    juce::Image captionSwitch (int width, int frameHeight, const juce::String& caption);

    juce::Image powerButton();          // 44 x 19 per frame, "Power" with a lamp
    juce::Image inputButton();          // 22 x 19, off fully transparent, on a bracket highlight
    juce::Image stereoInputButton();    // 10 x 10, empty square / filled square
    juce::Image dottedButton();         // 8 x 8, a dot
    juce::Image tripletButton();        // 8 x 8, "T"

    /** Draws one switch frame (used by the faces for the bezels' sizes). */
    void drawSwitchBezel (juce::Graphics& g, juce::Rectangle<float> bounds);
}

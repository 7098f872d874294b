#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The film strips: knobs, pan needles, the mode indicator and the icons of
    the display area. Frame 0 is on top of every strip. */
namespace StripArt
{
    /** The column knob, 32 x 31 per frame, pointer from lower left (frame 0)
        clockwise to lower right (last frame) over 256 degrees. */
    juce::Image knobStrip (int frameCount);

    /** Draws one knob with its centre at c, the pointer at the knob angle
        (degrees clockwise from straight down); value arc from 52 degrees. */
    void drawKnob (juce::Graphics& g, juce::Point<float> c, float pointerDegrees);

    /** Needle pivoting at the bottom centre of a 70 x 37 frame. */
    juce::Image panStrip (int frameCount);

    /** Opaque 58 x 19 frames: S:, L:, P:. */
    juce::Image modeStrip();

    /** Feedback loop, 60 x 60: the left line's dim (frame 0) to bright
        (frame 63); the right line's mirrored and running the other way,
        since the editor shows it the complement of the value. */
    juce::Image feedbackStrip (bool rightLine);

    /** Framed box filled by a grey bar, 60 x 60, empty to full. */
    juce::Image wetDryStrip (bool rightLine);

    /** Loudspeaker, 60 x 61, 52 frames of growing sound waves. */
    juce::Image outputStrip();
}

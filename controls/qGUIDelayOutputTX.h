#pragma once

#include "controls/qGUIFilmStrip.h"

/** Output loudspeaker icon (52 frames), used for both lines.
    A display: the mouse does not move it. */
class qGUIDelayOutputTX : public qGUIFilmStrip
{
public:
    qGUIDelayOutputTX();

    /** Clamps to 0..1 and shows the matching frame; nobody is notified. */
    void setKnobValue (double value);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelayOutputTX)
};

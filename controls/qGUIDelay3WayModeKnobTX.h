#pragma once

#include "controls/qGUIFilmStrip.h"

/** Stereo / link / ping-pong mode indicator: 0.0, 0.5 and 1.0 show S:, L: and P:.
    A display: the mouse does not move it. */
class qGUIDelay3WayModeKnobTX : public qGUIFilmStrip
{
public:
    qGUIDelay3WayModeKnobTX();

    /** Clamps to 0..1 and shows the matching frame; nobody is notified. */
    void setKnobValue (double value);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelay3WayModeKnobTX)
};

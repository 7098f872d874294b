#pragma once

#include "controls/qGUIFilmStrip.h"

/** Dry/wet bar of the right line.
    A display: the mouse does not move it. */
class qGUIDelayWetDryTXR : public qGUIFilmStrip
{
public:
    qGUIDelayWetDryTXR();

    /** Clamps to 0..1 and shows the matching frame; nobody is notified. */
    void setKnobValue (double value);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelayWetDryTXR)
};

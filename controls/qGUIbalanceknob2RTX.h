#pragma once

#include "controls/qGUIFilmStrip.h"

/** Pan needle of the right line (65 frames, so 0.5 is its exact middle).
    A display: the mouse does not move it. */
class qGUIbalanceknob2RTX : public qGUIFilmStrip
{
public:
    qGUIbalanceknob2RTX();

    /** Clamps to 0..1 and shows the matching frame; nobody is notified. */
    void setKnobValue (double value);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIbalanceknob2RTX)
};

#pragma once

#include "controls/qGUIFilmStrip.h"

/** Pan needle of the left line (64 frames).
    A display: the mouse does not move it. */
class qGUIbalanceknob2LTX : public qGUIFilmStrip
{
public:
    qGUIbalanceknob2LTX();

    /** Clamps to 0..1 and shows the matching frame; nobody is notified. */
    void setKnobValue (double value);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIbalanceknob2LTX)
};

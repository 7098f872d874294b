#pragma once

#include "controls/qGUIFilmStrip.h"

/** The 64-position rotary knob of every column.
    Follows the mouse by the angle of the pointer around its centre. */
class qGUIDelayKnobTX2 : public qGUIFilmStrip
{
public:
    qGUIDelayKnobTX2();

    /** Clamps to the range and shows the matching frame; with notify, the
        Slider listeners are told later, from the message loop. */
    void setKnobValue (double value, bool notify);

    /** Sets the Slider's range and step and the control's own range; the
        value and the frame are left alone. */
    void setKnobRange (double min, double max, double step);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelayKnobTX2)
};

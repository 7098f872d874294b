#pragma once

#include "controls/qGUIFilmStrip.h"

/** The seven-detent delay knob shown while the delay follows the host tempo.
    Follows the mouse by the angle of the pointer around its centre. */
class qGUIDelayKnobTX7TX : public qGUIFilmStrip
{
public:
    qGUIDelayKnobTX7TX();

    /** Clamps to the range and shows the matching frame; with notify, the
        Slider listeners are told later, from the message loop. */
    void setKnobValue (double value, bool notify);

    /** Sets the Slider's range and step and the control's own range; the
        value and the frame are left alone. */
    void setKnobRange (double min, double max, double step);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelayKnobTX7TX)
};

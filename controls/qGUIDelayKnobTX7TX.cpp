#include "controls/qGUIDelayKnobTX7TX.h"

qGUIDelayKnobTX7TX::qGUIDelayKnobTX7TX()
    : qGUIFilmStrip (EmbeddedImages::imgKnob7Strip, 32, 31, 7, Pointer::turnsKnob, Background::none)
{
    setKnobRange (0.0, 1.0, 0.0001);
}

void qGUIDelayKnobTX7TX::setKnobValue (double value, bool notify)
{
    applyKnobValue (value, notify);
}

void qGUIDelayKnobTX7TX::setKnobRange (double min, double max, double step)
{
    applyKnobRange (min, max, step);
}

#include "controls/qGUIDelayKnobTX2.h"

qGUIDelayKnobTX2::qGUIDelayKnobTX2()
    : qGUIFilmStrip (EmbeddedImages::imgKnobStrip, 32, 31, 64, Pointer::turnsKnob, Background::none)
{
    setKnobRange (0.0, 1.0, 0.0001);
}

void qGUIDelayKnobTX2::setKnobValue (double value, bool notify)
{
    applyKnobValue (value, notify);
}

void qGUIDelayKnobTX2::setKnobRange (double min, double max, double step)
{
    applyKnobRange (min, max, step);
}

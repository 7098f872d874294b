#include "controls/qGUIDelayOutputTX.h"

qGUIDelayOutputTX::qGUIDelayOutputTX()
    : qGUIFilmStrip (EmbeddedImages::imgOutputStrip, 60, 61, 52, Pointer::ignored, Background::none)
{
}

void qGUIDelayOutputTX::setKnobValue (double value)
{
    applyKnobValue (value, false);
}

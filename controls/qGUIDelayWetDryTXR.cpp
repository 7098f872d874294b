#include "controls/qGUIDelayWetDryTXR.h"

qGUIDelayWetDryTXR::qGUIDelayWetDryTXR()
    : qGUIFilmStrip (EmbeddedImages::imgWetDryStripR, 60, 60, 64, Pointer::ignored, Background::none)
{
}

void qGUIDelayWetDryTXR::setKnobValue (double value)
{
    applyKnobValue (value, false);
}

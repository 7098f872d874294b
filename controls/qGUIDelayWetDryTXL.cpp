#include "controls/qGUIDelayWetDryTXL.h"

qGUIDelayWetDryTXL::qGUIDelayWetDryTXL()
    : qGUIFilmStrip (EmbeddedImages::imgWetDryStripL, 60, 60, 64, Pointer::ignored, Background::none)
{
}

void qGUIDelayWetDryTXL::setKnobValue (double value)
{
    applyKnobValue (value, false);
}

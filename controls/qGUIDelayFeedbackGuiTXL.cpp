#include "controls/qGUIDelayFeedbackGuiTXL.h"

qGUIDelayFeedbackGuiTXL::qGUIDelayFeedbackGuiTXL()
    : qGUIFilmStrip (EmbeddedImages::imgFeedbackStripL, 60, 60, 64, Pointer::ignored, Background::none)
{
}

void qGUIDelayFeedbackGuiTXL::setKnobValue (double value)
{
    applyKnobValue (value, false);
}

#include "controls/qGUIDelayFeedbackGuiTXR.h"

qGUIDelayFeedbackGuiTXR::qGUIDelayFeedbackGuiTXR()
    : qGUIFilmStrip (EmbeddedImages::imgFeedbackStripR, 60, 60, 64, Pointer::ignored, Background::none)
{
}

void qGUIDelayFeedbackGuiTXR::setKnobValue (double value)
{
    applyKnobValue (value, false);
}

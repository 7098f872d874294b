#include "controls/qGUIDelay3WayModeKnobTX.h"

qGUIDelay3WayModeKnobTX::qGUIDelay3WayModeKnobTX()
    : qGUIFilmStrip (EmbeddedImages::imgModeStrip, 58, 19, 3, Pointer::ignored, Background::white)
{
}

void qGUIDelay3WayModeKnobTX::setKnobValue (double value)
{
    applyKnobValue (value, false);
}

#include "controls/qGUIbalanceknob2LTX.h"

qGUIbalanceknob2LTX::qGUIbalanceknob2LTX()
    : qGUIFilmStrip (EmbeddedImages::imgPanStripL, 70, 37, 64, Pointer::ignored, Background::none)
{
}

void qGUIbalanceknob2LTX::setKnobValue (double value)
{
    applyKnobValue (value, false);
}

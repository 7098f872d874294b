#include "controls/qGUIbalanceknob2RTX.h"

qGUIbalanceknob2RTX::qGUIbalanceknob2RTX()
    : qGUIFilmStrip (EmbeddedImages::imgPanStripR, 70, 37, 65, Pointer::ignored, Background::none)
{
}

void qGUIbalanceknob2RTX::setKnobValue (double value)
{
    applyKnobValue (value, false);
}

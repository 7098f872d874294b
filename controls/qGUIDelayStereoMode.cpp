#include "controls/qGUIDelayStereoMode.h"

qGUIDelayStereoMode::qGUIDelayStereoMode()
    : qGUIImageSwitch (EmbeddedImages::imgStereoButton, 56, 11)
{
}

#include "controls/qGUIDelayPower.h"

qGUIDelayPower::qGUIDelayPower()
    : qGUIImageSwitch (EmbeddedImages::imgPowerButton, 44, 19)
{
}

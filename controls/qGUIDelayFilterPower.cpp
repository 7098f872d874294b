#include "controls/qGUIDelayFilterPower.h"

qGUIDelayFilterPower::qGUIDelayFilterPower()
    : qGUIImageSwitch (EmbeddedImages::imgFilterOnButton, 14, 11)
{
}

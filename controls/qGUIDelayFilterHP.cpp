#include "controls/qGUIDelayFilterHP.h"

qGUIDelayFilterHP::qGUIDelayFilterHP()
    : qGUIImageSwitch (EmbeddedImages::imgFilterHPButton, 14, 11)
{
}

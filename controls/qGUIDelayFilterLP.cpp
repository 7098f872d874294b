#include "controls/qGUIDelayFilterLP.h"

qGUIDelayFilterLP::qGUIDelayFilterLP()
    : qGUIImageSwitch (EmbeddedImages::imgFilterLPButton, 14, 11)
{
}

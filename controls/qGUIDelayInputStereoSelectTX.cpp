#include "controls/qGUIDelayInputStereoSelectTX.h"

qGUIDelayInputStereoSelectTX::qGUIDelayInputStereoSelectTX()
    : qGUIImageSwitch (EmbeddedImages::imgStereoInputButton, 10, 10)
{
}

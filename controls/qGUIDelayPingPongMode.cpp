#include "controls/qGUIDelayPingPongMode.h"

qGUIDelayPingPongMode::qGUIDelayPingPongMode()
    : qGUIImageSwitch (EmbeddedImages::imgPingPongButton, 56, 11)
{
}

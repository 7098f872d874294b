#include "controls/qGUIDelayTriplet.h"

qGUIDelayTriplet::qGUIDelayTriplet()
    : qGUIImageSwitch (EmbeddedImages::imgTripletButton, 8, 8)
{
}

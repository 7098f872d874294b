#include "controls/qGUIDelayLinkMode.h"

qGUIDelayLinkMode::qGUIDelayLinkMode()
    : qGUIImageSwitch (EmbeddedImages::imgLinkButton, 56, 11)
{
}

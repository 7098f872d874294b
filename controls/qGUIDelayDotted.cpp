#include "controls/qGUIDelayDotted.h"

qGUIDelayDotted::qGUIDelayDotted()
    : qGUIImageSwitch (EmbeddedImages::imgDottedButton, 8, 8)
{
}

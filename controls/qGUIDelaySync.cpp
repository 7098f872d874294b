#include "controls/qGUIDelaySync.h"

qGUIDelaySync::qGUIDelaySync()
    : qGUIImageSwitch (EmbeddedImages::imgSyncButton, 20, 11)
{
}

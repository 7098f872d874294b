#pragma once

#include "controls/qGUIImageSwitch.h"

/** Link mode switch: the right line follows the left line's controls. */
class qGUIDelayLinkMode : public qGUIImageSwitch
{
public:
    qGUIDelayLinkMode();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelayLinkMode)
};

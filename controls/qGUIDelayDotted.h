#pragma once

#include "controls/qGUIImageSwitch.h"

/** Dotted note values for the synced delay. */
class qGUIDelayDotted : public qGUIImageSwitch
{
public:
    qGUIDelayDotted();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelayDotted)
};

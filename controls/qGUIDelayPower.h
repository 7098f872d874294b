#pragma once

#include "controls/qGUIImageSwitch.h"

/** The plug-in's power switch. */
class qGUIDelayPower : public qGUIImageSwitch
{
public:
    qGUIDelayPower();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelayPower)
};

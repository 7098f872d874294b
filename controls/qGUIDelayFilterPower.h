#pragma once

#include "controls/qGUIImageSwitch.h"

/** Filter on/off switch of one delay line. */
class qGUIDelayFilterPower : public qGUIImageSwitch
{
public:
    qGUIDelayFilterPower();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelayFilterPower)
};

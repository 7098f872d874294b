#pragma once

#include "controls/qGUIImageSwitch.h"

/** High-pass filter switch of one delay line. */
class qGUIDelayFilterHP : public qGUIImageSwitch
{
public:
    qGUIDelayFilterHP();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelayFilterHP)
};

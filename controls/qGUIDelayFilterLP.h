#pragma once

#include "controls/qGUIImageSwitch.h"

/** Low-pass filter switch of one delay line. */
class qGUIDelayFilterLP : public qGUIImageSwitch
{
public:
    qGUIDelayFilterLP();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelayFilterLP)
};

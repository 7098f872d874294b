#pragma once

#include "controls/qGUIImageSwitch.h"

/** Stereo input selector: an empty (off) or filled (on) square. */
class qGUIDelayInputStereoSelectTX : public qGUIImageSwitch
{
public:
    qGUIDelayInputStereoSelectTX();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelayInputStereoSelectTX)
};

#pragma once

#include "controls/qGUIImageSwitch.h"

/** Stereo mode switch. */
class qGUIDelayStereoMode : public qGUIImageSwitch
{
public:
    qGUIDelayStereoMode();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelayStereoMode)
};

#pragma once

#include "controls/qGUIImageSwitch.h"

/** Ping-pong mode switch. */
class qGUIDelayPingPongMode : public qGUIImageSwitch
{
public:
    qGUIDelayPingPongMode();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelayPingPongMode)
};

#pragma once

#include "controls/qGUIImageSwitch.h"

/** Triplet note values for the synced delay. */
class qGUIDelayTriplet : public qGUIImageSwitch
{
public:
    qGUIDelayTriplet();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelayTriplet)
};

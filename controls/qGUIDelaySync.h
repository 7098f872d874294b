#pragma once

#include "controls/qGUIImageSwitch.h"

/** Tempo-sync switch of the delay times. */
class qGUIDelaySync : public qGUIImageSwitch
{
public:
    qGUIDelaySync();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelaySync)
};

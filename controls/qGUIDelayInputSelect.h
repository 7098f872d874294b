#pragma once

#include "controls/qGUIImageSwitch.h"

/** Left or right input selector; invisible while off, yet still clickable. */
class qGUIDelayInputSelect : public qGUIImageSwitch
{
public:
    qGUIDelayInputSelect();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelayInputSelect)
};

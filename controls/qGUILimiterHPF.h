#pragma once

#include "controls/qGUIFilterShape.h"

/** High-pass shape: the flank rises from the left edge and moves right as the cut-off goes up. */
class qGUILimiterHPF : public qGUIFilterShape
{
public:
    qGUILimiterHPF();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUILimiterHPF)
};

#pragma once

#include "controls/qGUIFilterShape.h"

/** Low-pass shape: the flank falls towards the right edge and moves left as the cut-off goes down. */
class qGUILimiterLPF : public qGUIFilterShape
{
public:
    qGUILimiterLPF();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUILimiterLPF)
};

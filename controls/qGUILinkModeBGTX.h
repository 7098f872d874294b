#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "controls/EmbeddedImages.h"

/** The 421 x 112 face laid over the knob rows while the lines are linked. */
class qGUILinkModeBGTX : public juce::Component
{
public:
    qGUILinkModeBGTX();
    ~qGUILinkModeBGTX() override;

    void paint (juce::Graphics&) override;

private:
    juce::Image image;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUILinkModeBGTX)
};

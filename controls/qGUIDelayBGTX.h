#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "controls/EmbeddedImages.h"

/** The editor's 525 x 312 face. */
class qGUIDelayBGTX : public juce::Component
{
public:
    qGUIDelayBGTX();
    ~qGUIDelayBGTX() override;

    void paint (juce::Graphics&) override;

private:
    juce::Image image;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelayBGTX)
};

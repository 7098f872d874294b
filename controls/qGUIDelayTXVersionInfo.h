#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "controls/EmbeddedImages.h"

/** The information panel: always shows the same picture and only reports
    clicks to its listeners (the editor decides what a click does). */
class qGUIDelayTXVersionInfo : public juce::Button
{
public:
    qGUIDelayTXVersionInfo();
    ~qGUIDelayTXVersionInfo() override;

    void paintButton (juce::Graphics&, bool isMouseOverButton, bool isButtonDown) override;

private:
    juce::Image image;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIDelayTXVersionInfo)
};

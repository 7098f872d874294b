#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** An invisible 130 x 55 hot spot laid over the logo; it only reports clicks. */
class qGUIInfoButton : public juce::Button
{
public:
    qGUIInfoButton();

    void paintButton (juce::Graphics&, bool isMouseOverButton, bool isButtonDown) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIInfoButton)
};

#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A horizontal arrow from the left edge whose tip marks a fraction of the
    component's width (the delay time of one line). */
class qGUIArrowHorizontalRight : public juce::Component
{
public:
    qGUIArrowHorizontalRight();

    /** Tip at trunc (width * fraction) pixels from the left edge, using the
        width of the last layout. */
    void setArrowLength (float fraction);

    /** Opaque grey, 4 pixels thick. */
    void setArrowStyle();

    int getArrowLength() const noexcept          { return arrowLength; }
    juce::Colour getArrowColour() const noexcept { return arrowColour; }
    float getArrowThickness() const noexcept     { return arrowThickness; }

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    int arrowLength = 0;
    int arrowWidth = 135;
    int arrowHeight = 20;
    juce::Colour arrowColour { 0x99394A4Fu };
    float arrowThickness = 1.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIArrowHorizontalRight)
};

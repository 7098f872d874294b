#include "controls/qGUIArrowHorizontalRight.h"

#include <cmath>

qGUIArrowHorizontalRight::qGUIArrowHorizontalRight()
{
    arrowWidth = 135;
    arrowHeight = 20;
    arrowColour = juce::Colour (0x99394A4Fu);
    setSize (135, 20);
}

void qGUIArrowHorizontalRight::setArrowLength (float fraction)
{
    const float tip = (float) arrowWidth * fraction;

    // Truncated, not rounded. Out-of-range fractions simply put the tip
    // outside the component, but the conversion must stay defined.
    if (std::isnan (tip))
        arrowLength = 0;
    else
        arrowLength = (int) juce::jlimit (-1.0e6f, 1.0e6f, tip);

    repaint();
}

void qGUIArrowHorizontalRight::setArrowStyle()
{
    arrowColour = juce::Colour (0xFF96999Cu);
    arrowThickness = 4.0f;
    repaint();
}

void qGUIArrowHorizontalRight::resized()
{
    // The tip stays where it was until the next setArrowLength.
    arrowWidth = getWidth();
    arrowHeight = getHeight();
}

void qGUIArrowHorizontalRight::paint (juce::Graphics& g)
{
    const float centreY = (float) arrowHeight * 0.5f;

    g.setColour (arrowColour);
    g.drawArrow (juce::Line<float> (0.0f, centreY, (float) arrowLength, centreY),
                 arrowThickness, 2.0f * arrowThickness, 2.0f * arrowThickness);
}

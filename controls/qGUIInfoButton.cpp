#include "controls/qGUIInfoButton.h"

qGUIInfoButton::qGUIInfoButton()
    : juce::Button ({})
{
    setSize (130, 55);
}

void qGUIInfoButton::paintButton (juce::Graphics&, bool, bool)
{
    // Deliberately empty: the logo underneath is part of the background.
}

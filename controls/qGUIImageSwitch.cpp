#include "controls/qGUIImageSwitch.h"

qGUIImageSwitch::qGUIImageSwitch (const EmbeddedImage& image, int width, int height)
    : juce::Button ({}),
      imageOff (image.getImage()),
      imageOn (image.getImage()),
      frameWidth (width),
      frameHeight (height)
{
    setSize (width, height);
    buttonValue = 0.0;
}

qGUIImageSwitch::~qGUIImageSwitch()
{
    imageOff = {};
    imageOn = {};
}

void qGUIImageSwitch::setButtonValue (double value)
{
    setToggleState (value == 1.0, juce::dontSendNotification);
    buttonValue = value;
}

void qGUIImageSwitch::clicked()
{
    // Anything but exactly 0.0 counts as "on" here, so an odd stored value
    // is switched off first.
    setButtonValue (buttonValue == 0.0 ? 1.0 : 0.0);
}

void qGUIImageSwitch::paintButton (juce::Graphics& g, bool, bool)
{
    // No hover or pressed picture: only the toggle state chooses the frame.
    g.setColour (juce::Colours::black);

    if (getToggleState())
    {
        if (imageOn.isValid())
            g.drawImageWithin (imageOn, 0, -frameHeight, frameWidth, 2 * frameHeight,
                               juce::RectanglePlacement::centred);
    }
    else if (imageOff.isValid())
    {
        g.drawImageWithin (imageOff, 0, 0, frameWidth, 2 * frameHeight,
                           juce::RectanglePlacement::centred);
    }
}

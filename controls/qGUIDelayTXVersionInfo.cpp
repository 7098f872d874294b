#include "controls/qGUIDelayTXVersionInfo.h"

qGUIDelayTXVersionInfo::qGUIDelayTXVersionInfo()
    : juce::Button ({}),
      image (EmbeddedImages::imgAboutPanel.getImage())
{
    setSize (502, 249);
}

qGUIDelayTXVersionInfo::~qGUIDelayTXVersionInfo()
{
    image = {};
}

void qGUIDelayTXVersionInfo::paintButton (juce::Graphics& g, bool, bool)
{
    if (! image.isValid())
        return;

    g.setColour (juce::Colours::black);
    g.drawImage (image, 0, 0, 502, 249, 0, 0, image.getWidth(), image.getHeight());
}

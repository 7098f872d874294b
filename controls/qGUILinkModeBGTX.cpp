#include "controls/qGUILinkModeBGTX.h"

qGUILinkModeBGTX::qGUILinkModeBGTX()
    : image (EmbeddedImages::imgLinkModePanel.getImage())
{
    setSize (421, 112);
}

qGUILinkModeBGTX::~qGUILinkModeBGTX()
{
    image = {};
}

void qGUILinkModeBGTX::paint (juce::Graphics& g)
{
    // The picture is opaque; the white only shows if it failed to decode.
    g.fillAll (juce::Colours::white);

    if (! image.isValid())
        return;

    g.setColour (juce::Colours::black);
    g.drawImageWithin (image, 0, 0, image.getWidth(), image.getHeight(), juce::RectanglePlacement::centred);
}

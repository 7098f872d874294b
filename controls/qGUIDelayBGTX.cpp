#include "controls/qGUIDelayBGTX.h"

qGUIDelayBGTX::qGUIDelayBGTX()
    : image (EmbeddedImages::imgBackground.getImage())
{
    setSize (525, 312);
}

qGUIDelayBGTX::~qGUIDelayBGTX()
{
    image = {};
}

void qGUIDelayBGTX::paint (juce::Graphics& g)
{
    // The picture is opaque; the white only shows if it failed to decode.
    g.fillAll (juce::Colours::white);

    if (! image.isValid())
        return;

    g.setColour (juce::Colours::black);
    g.drawImageWithin (image, 0, 0, image.getWidth(), image.getHeight(), juce::RectanglePlacement::centred);
}

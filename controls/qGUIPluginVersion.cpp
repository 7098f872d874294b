#include "controls/qGUIPluginVersion.h"

qGUIPluginVersion::qGUIPluginVersion()
{
    label = std::make_unique<juce::Label> ("new label", "R1.0.0");
    addAndMakeVisible (label.get());

    label->setFont (juce::Font ("Verdana", 16.6f, juce::Font::plain));
    label->setJustificationType (juce::Justification (juce::Justification::left
                                                      | juce::Justification::verticallyCentred));
    label->setEditable (false, false, false);
    label->setColour (juce::Label::textColourId, juce::Colour (0xFFFBFBFBu));
    label->setColour (juce::TextEditor::textColourId, juce::Colours::black);
    label->setColour (juce::TextEditor::backgroundColourId, juce::Colour (0x00000000u));

    setSize (70, 20);
}

qGUIPluginVersion::~qGUIPluginVersion()
{
    label.reset();
}

void qGUIPluginVersion::setVersionText (juce::String text)
{
    label->setText (text, juce::dontSendNotification);
}

juce::String qGUIPluginVersion::getVersionText() const
{
    return label->getText();
}

void qGUIPluginVersion::resized()
{
    label->setBounds (0, 0, 70, 20);
}

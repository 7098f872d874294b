#include "editor/DemoEditorComponent.h"
#include "editor/EditorResources.h"
#include "dsp/EngineMath.h"
#include "processor/DemoJuceFilter.h"
#include "processor/ValueText.h"

#include "controls/qGUIArrowHorizontalRight.h"
#include "controls/qGUIDelay3WayModeKnobTX.h"
#include "controls/qGUIDelayBGTX.h"
#include "controls/qGUIDelayDotted.h"
#include "controls/qGUIDelayFeedbackGuiTXL.h"
#include "controls/qGUIDelayFeedbackGuiTXR.h"
#include "controls/qGUIDelayFilterHP.h"
#include "controls/qGUIDelayFilterLP.h"
#include "controls/qGUIDelayFilterPower.h"
#include "controls/qGUIDelayInputSelect.h"
#include "controls/qGUIDelayInputStereoSelectTX.h"
#include "controls/qGUIDelayKnobTX2.h"
#include "controls/qGUIDelayKnobTX7TX.h"
#include "controls/qGUIDelayLinkMode.h"
#include "controls/qGUIDelayOutputTX.h"
#include "controls/qGUIDelayPingPongMode.h"
#include "controls/qGUIDelayPower.h"
#include "controls/qGUIDelayStereoMode.h"
#include "controls/qGUIDelaySync.h"
#include "controls/qGUIDelayTXVersionInfo.h"
#include "controls/qGUIDelayTriplet.h"
#include "controls/qGUIDelayWetDryTXL.h"
#include "controls/qGUIDelayWetDryTXR.h"
#include "controls/qGUIInfoButton.h"
#include "controls/qGUILimiterHPF.h"
#include "controls/qGUILimiterLPF.h"
#include "controls/qGUILinkModeBGTX.h"
#include "controls/qGUIPluginVersion.h"
#include "controls/qGUIbalanceknob2LTX.h"
#include "controls/qGUIbalanceknob2RTX.h"

#include <cmath>

using namespace ParameterTable;

namespace
{
    bool isOn (double switchValue) noexcept { return switchValue == 1.0; }

    /** Prepares one filter-shape display from its line's knobs. */
    void prepareShape (qGUIFilterShape& shape, const qGUIFilmStrip& frequency, const qGUIFilmStrip& resonance)
    {
        shape.setShapeColours();
        shape.setShapeLineThickness();
        shape.enableShape();
        shape.setShapeFrequency (frequency.getKnobValue());
        shape.setShapeResonance (resonance.getKnobValue());
    }
}

//==============================================================================
DemoEditorComponent::DemoEditorComponent (DemoJuceFilter* ownerFilter)
    : AudioFilterEditor (ownerFilter)
{
    auto& resources = EditorResources::getInstance();
    juce::LookAndFeel::setDefaultLookAndFeel (&resources.getLookAndFeel());

    versionText = "R1.1.1";
    unlinked = true;

    auto& filter = getFilter();

    // Everything is built from one reading of the values, and that reading is
    // what the controls show: the first refresh then applies exactly what
    // changed since. (Starting from all zeros instead would make the first
    // refresh skip a parameter that went to 0.0 after the editor opened, and
    // its control would keep showing the old value.)
    for (int i = 0; i < ParameterTable::numParameters; ++i)
        shownValues[(size_t) i] = filter.getParameter (i);

    const juce::Font valueFont = resources.makeLabelFont();
    const juce::Font infoFont = resources.makeLabelFont();

    // Creation order is stacking order: later children are drawn on top.
    backgroundPanel = new qGUIDelayBGTX();
    addAndMakeVisible (backgroundPanel);
    backgroundPanel->setBounds (0, 0, 525, 312);

    linkModePanel = new qGUILinkModeBGTX();
    addChildComponent (linkModePanel);
    linkModePanel->setBounds (86, 146, 421, 112);

    powerButton        = addSwitch<qGUIDelayPower>               ({ 27, 131, 44, 19 }, fOnButton);
    leftSelButton      = addSwitch<qGUIDelayInputSelect>         ({ 20, 164, 22, 19 }, fLeftSelButton);
    rightSelButton     = addSwitch<qGUIDelayInputSelect>         ({ 56, 164, 22, 19 }, fRightSelButton);
    stereoSelButton    = addSwitch<qGUIDelayInputStereoSelectTX> ({ 44, 167, 10, 10 }, fStereoSelButton);
    stereoModeButton   = addSwitch<qGUIDelayStereoMode>          ({ 21, 207, 56, 11 }, fStereoModeButton);

    linkModeButton     = addSwitch<qGUIDelayLinkMode>            ({ 21, 219, 56, 11 }, fLinkModeButton);
    if (isOn (linkModeButton->getButtonValue()))
        linkModePanel->setVisible (true);

    pingPongModeButton = addSwitch<qGUIDelayPingPongMode>        ({ 21, 231, 56, 11 }, fPingPongModeButton);

    delaySyncButton    = addSwitch<qGUIDelaySync>                ({ 93, 147, 20, 11 }, fDelaySyncButton);
    syncOn = isOn (delaySyncButton->getButtonValue());
    delayTripletButton = addSwitch<qGUIDelayTriplet>             ({ 117, 147, 8, 8 }, fDelayTripletButton);
    tripletOn = isOn (delayTripletButton->getButtonValue());
    delayDotButton     = addSwitch<qGUIDelayDotted>              ({ 129, 147, 8, 8 }, fDelayDotButton);
    dottedOn = isOn (delayDotButton->getButtonValue());

    filterOnButton     = addSwitch<qGUIDelayFilterPower>         ({ 273, 147, 14, 11 }, fFilterOnButton);
    filterLPButton     = addSwitch<qGUIDelayFilterLP>            ({ 303, 147, 14, 11 }, fFilterLPButton);
    filterHPButton     = addSwitch<qGUIDelayFilterHP>            ({ 318, 147, 14, 11 }, fFilterHPButton);
    filterOnButtonB    = addSwitch<qGUIDelayFilterPower>         ({ 273, 204, 14, 11 }, fFilterOnButtonB);
    filterLPButtonB    = addSwitch<qGUIDelayFilterLP>            ({ 303, 204, 14, 11 }, fFilterLPButtonB);
    filterHPButtonB    = addSwitch<qGUIDelayFilterHP>            ({ 318, 204, 14, 11 }, fFilterHPButtonB);

    // Left line, upper row. The free and the seven-step delay knob share one
    // place; only one of them is visible at a time.
    delaySyncKnob = addKnob<qGUIDelayKnobTX7TX> ({ 101, 158, 32, 31 }, fDelayLeft);
    delaySyncKnob->setVisible (syncOn);
    delayKnob = addKnob<qGUIDelayKnobTX2> ({ 101, 158, 32, 31 }, fDelayLeft);
    delayKnob->setVisible (! syncOn);
    delayDisplay = addValueLabel ("DelayDisplay", { 98, 188, 37, 13 }, valueFont,
                                  percentText (delayKnob->getKnobValue(), false));

    feedbackKnob = addKnob<qGUIDelayKnobTX2> ({ 161, 158, 32, 31 }, fFeedbackLeft);
    feedbackDisplay = addValueLabel ("FeedbackDisplay", { 158, 188, 37, 13 }, valueFont,
                                     percentText (feedbackKnob->getKnobValue(), false));
    panKnob = addKnob<qGUIDelayKnobTX2> ({ 221, 158, 32, 31 }, fPanLeft);
    panDisplay = addValueLabel ("PanDisplay", { 218, 188, 37, 13 }, valueFont,
                                percentText (panKnob->getKnobValue(), false));
    frequencyKnob = addKnob<qGUIDelayKnobTX2> ({ 281, 158, 32, 31 }, fFilterFreqLeft);
    frequencyDisplay = addValueLabel ("FrequencyDisplay", { 278, 188, 37, 13 }, valueFont,
                                      percentText (frequencyKnob->getKnobValue(), false));
    resonanceKnob = addKnob<qGUIDelayKnobTX2> ({ 341, 158, 32, 31 }, fFilterResLeft);
    resonanceDisplay = addValueLabel ("ResonanceDisplay", { 338, 188, 37, 13 }, valueFont,
                                      percentText (resonanceKnob->getKnobValue(), false));
    dryWetKnob = addKnob<qGUIDelayKnobTX2> ({ 401, 158, 32, 31 }, fMixLeft);
    dryWetDisplay = addValueLabel ("DryWetDisplay", { 398, 188, 37, 13 }, valueFont,
                                   percentText (dryWetKnob->getKnobValue(), false));
    outputKnob = addKnob<qGUIDelayKnobTX2> ({ 461, 158, 32, 31 }, fOutputLeft);
    outputDisplay = addValueLabel ("OutputDisplay", { 458, 188, 37, 13 }, valueFont,
                                   outputText (outputKnob->getKnobValue()));

    // Right line, lower row; its delay knobs' visibility also depends on the
    // link state and is settled by updateLinkAndDelayDisplays() below.
    delaySyncKnobB = addKnob<qGUIDelayKnobTX7TX> ({ 101, 215, 32, 31 }, fDelayRight);
    delayKnobB = addKnob<qGUIDelayKnobTX2> ({ 101, 215, 32, 31 }, fDelayRight);
    delayDisplayB = addValueLabel ("DelayDisplayB", { 98, 245, 37, 13 }, valueFont,
                                   percentText (delayKnobB->getKnobValue(), false));

    feedbackKnobB = addKnob<qGUIDelayKnobTX2> ({ 161, 215, 32, 31 }, fFeedbackRight);
    feedbackDisplayB = addValueLabel ("FeedbackDisplayB", { 158, 245, 37, 13 }, valueFont,
                                      percentText (feedbackKnobB->getKnobValue(), false));
    panKnobB = addKnob<qGUIDelayKnobTX2> ({ 221, 215, 32, 31 }, fPanRight);
    panDisplayB = addValueLabel ("PanDisplayB", { 218, 245, 37, 13 }, valueFont,
                                 percentText (panKnobB->getKnobValue(), false));
    frequencyKnobB = addKnob<qGUIDelayKnobTX2> ({ 281, 215, 32, 31 }, fFilterFreqRight);
    frequencyDisplayB = addValueLabel ("FrequencyDisplayB", { 278, 245, 37, 13 }, valueFont,
                                       percentText (frequencyKnobB->getKnobValue(), false));
    resonanceKnobB = addKnob<qGUIDelayKnobTX2> ({ 341, 215, 32, 31 }, fFilterResRight);
    resonanceDisplayB = addValueLabel ("ResonanceDisplayB", { 338, 245, 37, 13 }, valueFont,
                                       percentText (resonanceKnobB->getKnobValue(), false));
    dryWetKnobB = addKnob<qGUIDelayKnobTX2> ({ 401, 215, 32, 31 }, fMixRight);
    dryWetDisplayB = addValueLabel ("DryWetDisplayB", { 398, 245, 37, 13 }, valueFont,
                                    percentText (dryWetKnobB->getKnobValue(), false));
    outputKnobB = addKnob<qGUIDelayKnobTX2> ({ 461, 215, 32, 31 }, fOutputRight);
    outputDisplayB = addValueLabel ("OutputDisplayB", { 458, 245, 37, 13 }, valueFont,
                                    outputText (outputKnobB->getKnobValue()));

    // The display area.
    delayArrow = new qGUIArrowHorizontalRight();
    addAndMakeVisible (delayArrow);
    delayArrow->setBounds (93, 45, 48, 20);
    delayArrow->setSize (48, 20);
    delayArrow->setArrowStyle();
    delayArrow->setArrowLength ((float) delayKnob->getKnobValue());

    delayArrowB = new qGUIArrowHorizontalRight();
    addAndMakeVisible (delayArrowB);
    delayArrowB->setBounds (93, 80, 48, 20);
    delayArrowB->setSize (48, 20);
    delayArrowB->setArrowStyle();
    delayArrowB->setArrowLength ((float) delayKnobB->getKnobValue());

    panNeedle = new qGUIbalanceknob2LTX();
    addAndMakeVisible (panNeedle);
    panNeedle->setBounds (201, 24, 70, 37);
    panNeedle->setKnobValue (panKnob->getKnobValue());

    panNeedleB = new qGUIbalanceknob2RTX();
    addAndMakeVisible (panNeedleB);
    panNeedleB->setBounds (201, 84, 70, 37);
    panNeedleB->setKnobValue (panKnobB->getKnobValue());

    // The shapes get a slightly larger box first and then their final size.
    lowPassShape = new qGUILimiterLPF();
    addAndMakeVisible (lowPassShape);
    lowPassShape->setBounds (274, 25, 107, 47);
    lowPassShape->setSize (105, 45);
    prepareShape (*lowPassShape, *frequencyKnob, *resonanceKnob);
    lowPassShape->setVisible (isOn (filterLPButton->getButtonValue()));

    lowPassShapeB = new qGUILimiterLPF();
    addAndMakeVisible (lowPassShapeB);
    lowPassShapeB->setBounds (274, 76, 107, 47);
    lowPassShapeB->setSize (105, 45);
    prepareShape (*lowPassShapeB, *frequencyKnobB, *resonanceKnobB);
    lowPassShapeB->setVisible (isOn (filterLPButtonB->getButtonValue()));

    highPassShape = new qGUILimiterHPF();
    addAndMakeVisible (highPassShape);
    highPassShape->setBounds (274, 25, 107, 47);
    highPassShape->setSize (105, 45);
    prepareShape (*highPassShape, *frequencyKnob, *resonanceKnob);
    highPassShape->setVisible (isOn (filterHPButton->getButtonValue()));

    highPassShapeB = new qGUILimiterHPF();
    addAndMakeVisible (highPassShapeB);
    highPassShapeB->setBounds (274, 76, 107, 47);
    highPassShapeB->setSize (105, 45);
    prepareShape (*highPassShapeB, *frequencyKnobB, *resonanceKnobB);
    highPassShapeB->setVisible (isOn (filterHPButtonB->getButtonValue()));

    feedbackIcon = new qGUIDelayFeedbackGuiTXL();
    addAndMakeVisible (feedbackIcon);
    feedbackIcon->setBounds (146, 16, 60, 60);
    feedbackIcon->setKnobValue (feedbackKnob->getKnobValue());

    // The right feedback icon's strip runs the other way round.
    feedbackIconB = new qGUIDelayFeedbackGuiTXR();
    addAndMakeVisible (feedbackIconB);
    feedbackIconB->setBounds (146, 75, 60, 60);
    feedbackIconB->setKnobValue (1.0 - feedbackKnobB->getKnobValue());

    outputIcon = new qGUIDelayOutputTX();
    addAndMakeVisible (outputIcon);
    outputIcon->setBounds (449, 16, 60, 61);
    outputIcon->setKnobValue (outputKnob->getKnobValue());

    outputIconB = new qGUIDelayOutputTX();
    addAndMakeVisible (outputIconB);
    outputIconB->setBounds (449, 68, 60, 61);
    outputIconB->setKnobValue (outputKnobB->getKnobValue());

    dryWetIcon = new qGUIDelayWetDryTXL();
    addAndMakeVisible (dryWetIcon);
    dryWetIcon->setBounds (387, 17, 60, 60);
    dryWetIcon->setKnobValue (dryWetKnob->getKnobValue());

    dryWetIconB = new qGUIDelayWetDryTXR();
    addAndMakeVisible (dryWetIconB);
    dryWetIconB->setBounds (387, 68, 60, 60);
    dryWetIconB->setKnobValue (dryWetKnobB->getKnobValue());

    // The host column.
    tempoLabel = addInfoLabel ({ 24, 30, 56, 12 }, infoFont, "120.00 BPM");
    timeSigLabel = addInfoLabel ({ 24, 50, 56, 12 }, infoFont, "4/4 SIGN");

    {
        // The audio thread rewrites the position after every block under
        // this lock; a copy taken without it could mix two blocks' fields.
        HostPosition position;
        {
            const juce::ScopedLock sl (filter.processLock);
            position = filter.lastHostPosition;
        }

        tempoLabel->setText (tempoText (position), juce::dontSendNotification);
        timeSigLabel->setText (timeSignatureText (position), juce::dontSendNotification);
    }

    delayModeLabel = addInfoLabel ({ 24, 72, 56, 12 }, infoFont, "D: Free");
    delayModeLabel->setText ("D:" + delayModeLeft + " - " + delayModeRight, juce::dontSendNotification);

    modeIndicator = new qGUIDelay3WayModeKnobTX();
    addAndMakeVisible (modeIndicator);
    modeIndicator->setBounds (23, 95, 58, 19);
    modeIndicator->setKnobValue (isOn (pingPongModeButton->getButtonValue()) ? 1.0
                                 : isOn (linkModeButton->getButtonValue()) ? 0.5 : 0.0);
    modeIndicator->addListener (this);

    infoHotSpot = new qGUIInfoButton();
    addChildComponent (infoHotSpot);
    infoHotSpot->setBounds (5, 255, 130, 55);
    infoHotSpot->addListener (this);
    infoHotSpot->setVisible (true);

    aboutPanel = new qGUIDelayTXVersionInfo();
    addChildComponent (aboutPanel);
    aboutPanel->setBounds (11, 11, 502, 249);
    aboutPanel->addListener (this);

    versionLabel = new qGUIPluginVersion();
    addChildComponent (versionLabel);
    versionLabel->setBounds (266, 165, 70, 20);
    versionLabel->setVersionText (versionText);

    setSize (filter.lastEditorWidth, filter.lastEditorHeight);
    filter.addChangeListener (this);
    updateLinkAndDelayDisplays();
}

DemoEditorComponent::~DemoEditorComponent()
{
    getFilter().removeChangeListener (this);
    deleteAllChildren();
}

DemoJuceFilter& DemoEditorComponent::getFilter() const noexcept
{
    return *static_cast<DemoJuceFilter*> (getProcessor());
}

//==============================================================================
template <typename Knob>
Knob* DemoEditorComponent::addKnob (juce::Rectangle<int> bounds, int parameter)
{
    auto* knob = new Knob();
    addAndMakeVisible (knob);
    knob->setBounds (bounds);
    knob->setKnobValue ((double) shownValues[(size_t) parameter], false);
    knob->addListener (this);
    return knob;
}

template <typename Switch>
Switch* DemoEditorComponent::addSwitch (juce::Rectangle<int> bounds, int parameter)
{
    auto* button = new Switch();
    addAndMakeVisible (button);
    button->setBounds (bounds);
    button->setButtonValue ((double) shownValues[(size_t) parameter]);
    button->addListener (this);
    return button;
}

juce::Label* DemoEditorComponent::addValueLabel (const juce::String& name, juce::Rectangle<int> bounds,
                                                 const juce::Font& font, const juce::String& text)
{
    auto* label = new juce::Label (name, "myValues");
    addAndMakeVisible (label);
    label->setBounds (bounds);
    label->setColour (juce::Label::backgroundColourId, juce::Colour (0x00000000u));
    label->setColour (juce::Label::textColourId, juce::Colour (0xff777777u));
    label->setColour (juce::Label::outlineColourId, juce::Colour (0x1a000000u));
    label->setFont (font);
    label->setText (text, juce::dontSendNotification);
    label->setEditable (false, false, false);
    label->setColour (juce::TextEditor::highlightedTextColourId, juce::Colour (0xffffffffu));
    label->setColour (juce::TextEditor::textColourId, juce::Colour (0xff777777u));
    label->setColour (juce::CaretComponent::caretColourId, juce::Colour (0x00ffff00u));
    return label;
}

juce::Label* DemoEditorComponent::addInfoLabel (juce::Rectangle<int> bounds, const juce::Font& font,
                                                const juce::String& text)
{
    auto* label = new juce::Label();
    addAndMakeVisible (label);
    label->setBounds (bounds);
    label->setSize (bounds.getWidth(), bounds.getHeight());
    label->setColour (juce::Label::backgroundColourId, juce::Colour (0x00000000u));
    label->setColour (juce::Label::textColourId, juce::Colour (0xff777777u));
    label->setColour (juce::Label::outlineColourId, juce::Colour (0x1a000000u));
    label->setFont (font);
    label->setText (text, juce::dontSendNotification);
    label->setEditable (false, false, false);
    label->setJustificationType (juce::Justification::centred);
    return label;
}

//==============================================================================
void DemoEditorComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour::greyLevel (0.9f));
}

void DemoEditorComponent::resized()
{
    // The children keep their fixed places; only the size is remembered,
    // so the next editor of this processor opens the same.
    auto& filter = getFilter();
    filter.lastEditorWidth = getWidth();
    filter.lastEditorHeight = getHeight();
}

//==============================================================================
juce::String DemoEditorComponent::percentText (double value, bool spaced)
{
    return ValueText::fixed (value * 100.0, 1) + (spaced ? " %" : "%");
}

juce::String DemoEditorComponent::outputText (double value)
{
    return ValueText::fixed (value * 24.0 - 12.0, 1) + "db";
}

juce::String DemoEditorComponent::freeDelayText (double value)
{
    return ValueText::fixed (value * 1000.0, 1) + "ms";
}

juce::String DemoEditorComponent::noteText (double value, bool triplet, bool dotted)
{
    juce::String text ("1/");
    text << syncDivisor ((float) value);

    if (triplet)
        text << "T";
    if (dotted)
        text << ".";

    return text;
}

juce::String DemoEditorComponent::tempoText (const HostPosition& position)
{
    return ValueText::fixed (position.tempoBpm, 2) + " BPM";
}

juce::String DemoEditorComponent::timeSignatureText (const HostPosition& position)
{
    return "Sig: " + juce::String (position.timeSigNumerator) + "/" + juce::String (position.timeSigDenominator);
}

float DemoEditorComponent::syncedArrowFraction (double value)
{
    // Its own sevenths, not the note steps (those change at sixths).
    return (float) (std::trunc (value * 7.0) * (1.0 / 7.0));
}

//==============================================================================
void DemoEditorComponent::updateLinkAndDelayDisplays()
{
    unlinked = true;
    if (isOn (linkModeButton->getButtonValue()))
        unlinked = false;

    delayKnob->setVisible (! syncOn);
    delaySyncKnob->setVisible (syncOn);
    delayKnobB->setVisible (unlinked && ! syncOn);
    delaySyncKnobB->setVisible (unlinked && syncOn);

    for (auto* c : { (juce::Component*) feedbackKnobB, (juce::Component*) panKnobB,
                     (juce::Component*) frequencyKnobB, (juce::Component*) resonanceKnobB,
                     (juce::Component*) dryWetKnobB, (juce::Component*) outputKnobB,
                     (juce::Component*) filterOnButtonB, (juce::Component*) filterLPButtonB,
                     (juce::Component*) filterHPButtonB })
        c->setVisible (unlinked);

    if (syncOn)
    {
        const double v = delaySyncKnob->getKnobValue();
        const float q = syncedArrowFraction (v);
        const juce::String t = noteText (v, tripletOn, dottedOn);
        delayModeLeft = t;
        delayArrow->setArrowLength (q);
        delayDisplay->setText (t, juce::dontSendNotification);

        if (! unlinked)
        {
            delaySyncKnobB->setKnobValue (v, false);
            delayArrowB->setArrowLength (q);
            delayDisplayB->setText (t, juce::dontSendNotification);
            delayModeRight = t;
        }
        else
        {
            const double vB = delaySyncKnobB->getKnobValue();
            const juce::String tB = noteText (vB, tripletOn, dottedOn);
            delayModeRight = tB;
            delayArrowB->setArrowLength (syncedArrowFraction (vB));
            delayDisplayB->setText (tB, juce::dontSendNotification);
        }
    }
    else
    {
        delayModeLeft = "Free";
        const double v = delayKnob->getKnobValue();
        const juce::String t = freeDelayText (v);
        delayArrow->setArrowLength ((float) v);
        delayDisplay->setText (t, juce::dontSendNotification);

        if (! unlinked)
        {
            delayKnobB->setKnobValue (v, false);
            delayArrowB->setArrowLength ((float) v);
            delayDisplayB->setText (t, juce::dontSendNotification);
            delayModeRight = "Free";
        }
        else
        {
            delayModeRight = "Free";
            const double vB = delayKnobB->getKnobValue();
            delayArrowB->setArrowLength ((float) vB);
            delayDisplayB->setText (freeDelayText (vB), juce::dontSendNotification);
        }
    }

    if (! unlinked)
    {
        // Only the right line's controls follow here; its parameters were
        // sent by the click that linked the lines.
        const double feedback = feedbackKnob->getKnobValue();
        feedbackDisplayB->setText (percentText (feedback, false), juce::dontSendNotification);
        feedbackIconB->setKnobValue (1.0 - feedback);
        feedbackKnobB->setKnobValue (feedback, false);

        const double pan = panKnob->getKnobValue();
        panDisplayB->setText (percentText (pan, false), juce::dontSendNotification);
        panNeedleB->setKnobValue (pan);
        panKnobB->setKnobValue (pan, false);

        filterOnButtonB->setButtonValue (filterOnButton->getButtonValue());
        filterLPButtonB->setButtonValue (filterLPButton->getButtonValue());
        filterHPButtonB->setButtonValue (filterHPButton->getButtonValue());

        const double frequency = frequencyKnob->getKnobValue();
        frequencyDisplayB->setText (percentText (frequency, false), juce::dontSendNotification);
        lowPassShapeB->setShapeFrequency (frequency);
        highPassShapeB->setShapeFrequency (frequency);
        frequencyKnobB->setKnobValue (frequency, false);

        const double resonance = resonanceKnob->getKnobValue();
        resonanceDisplayB->setText (percentText (resonance, false), juce::dontSendNotification);
        lowPassShapeB->setShapeResonance (resonance);
        highPassShapeB->setShapeResonance (resonance);
        resonanceKnobB->setKnobValue (resonance, false);

        const double dryWet = dryWetKnob->getKnobValue();
        dryWetDisplayB->setText (percentText (dryWet, false), juce::dontSendNotification);
        dryWetIconB->setKnobValue (dryWet);
        dryWetKnobB->setKnobValue (dryWet, false);

        const double output = outputKnob->getKnobValue();
        outputDisplayB->setText (outputText (output), juce::dontSendNotification);
        outputIconB->setKnobValue (output);
        outputKnobB->setKnobValue (output, false);
    }

    delayModeLabel->setText ("D:" + delayModeLeft + " - " + delayModeRight, juce::dontSendNotification);
    repaint();
}

//==============================================================================
void DemoEditorComponent::setParameter (int index, double value)
{
    getFilter().setParameterAndNotifyHost (index, (float) value);
}

void DemoEditorComponent::sliderValueChanged (juce::Slider* slider)
{
    struct Row
    {
        qGUIFilmStrip* knob;
        int index;
        int linkedIndex;  // also set while linked; -1 for none
    };

    const Row rows[] = {
        { delayKnob, fDelayLeft, fDelayRight },
        { delaySyncKnob, fDelayLeft, fDelayRight },
        { feedbackKnob, fFeedbackLeft, fFeedbackRight },
        { panKnob, fPanLeft, fPanRight },
        { frequencyKnob, fFilterFreqLeft, fFilterFreqRight },
        { resonanceKnob, fFilterResLeft, fFilterResRight },
        { dryWetKnob, fMixLeft, fMixRight },
        { outputKnob, fOutputLeft, fOutputRight },
        { delayKnobB, fDelayRight, -1 },
        { delaySyncKnobB, fDelayRight, -1 },
        { feedbackKnobB, fFeedbackRight, -1 },
        { panKnobB, fPanRight, -1 },
        { frequencyKnobB, fFilterFreqRight, -1 },
        { resonanceKnobB, fFilterResRight, -1 },
        { dryWetKnobB, fMixRight, -1 },
        { outputKnobB, fOutputRight, -1 },
    };

    // The mode indicator is registered too, but only shows the mode.
    for (const auto& row : rows)
    {
        if (slider == row.knob)
        {
            const double value = row.knob->getKnobValue();
            setParameter (row.index, value);

            if (row.linkedIndex >= 0 && ! unlinked)
                setParameter (row.linkedIndex, value);

            return;
        }
    }
}

void DemoEditorComponent::buttonClicked (juce::Button* button)
{
    // Each switch has already flipped its own value when this runs.
    if (button == powerButton)
    {
        setParameter (fOnButton, powerButton->getButtonValue());
    }
    else if (button == leftSelButton || button == rightSelButton || button == stereoSelButton)
    {
        // Exactly one input stays selected, the clicked one; it is sent last.
        leftSelButton->setButtonValue (button == leftSelButton ? 1.0 : 0.0);
        rightSelButton->setButtonValue (button == rightSelButton ? 1.0 : 0.0);
        stereoSelButton->setButtonValue (button == stereoSelButton ? 1.0 : 0.0);

        const std::pair<int, qGUIImageSwitch*> inputs[] = { { fLeftSelButton, leftSelButton },
                                                            { fRightSelButton, rightSelButton },
                                                            { fStereoSelButton, stereoSelButton } };
        for (const auto& input : inputs)
            if (input.second != button)
                setParameter (input.first, input.second->getButtonValue());

        for (const auto& input : inputs)
            if (input.second == button)
                setParameter (input.first, input.second->getButtonValue());
    }
    else if (button == filterOnButton)
    {
        setParameter (fFilterOnButton, filterOnButton->getButtonValue());

        if (! unlinked)
            setParameter (fFilterOnButtonB, filterOnButton->getButtonValue());
    }
    else if (button == filterLPButton || button == filterHPButton)
    {
        const bool lowPass = (button == filterLPButton);
        filterLPButton->setButtonValue (lowPass ? 1.0 : 0.0);
        filterHPButton->setButtonValue (lowPass ? 0.0 : 1.0);
        setParameter (fFilterLPButton, filterLPButton->getButtonValue());
        setParameter (fFilterHPButton, filterHPButton->getButtonValue());
        lowPassShape->setVisible (lowPass);
        highPassShape->setVisible (! lowPass);

        if (! unlinked)
        {
            filterLPButtonB->setButtonValue (lowPass ? 1.0 : 0.0);
            filterHPButtonB->setButtonValue (lowPass ? 0.0 : 1.0);
            setParameter (fFilterLPButtonB, filterLPButton->getButtonValue());
            setParameter (fFilterHPButtonB, filterHPButton->getButtonValue());
            lowPassShapeB->setVisible (lowPass);
            highPassShapeB->setVisible (! lowPass);
        }
    }
    else if (button == filterOnButtonB)
    {
        setParameter (fFilterOnButtonB, filterOnButtonB->getButtonValue());
    }
    else if (button == filterLPButtonB || button == filterHPButtonB)
    {
        const bool lowPass = (button == filterLPButtonB);
        filterLPButtonB->setButtonValue (lowPass ? 1.0 : 0.0);
        filterHPButtonB->setButtonValue (lowPass ? 0.0 : 1.0);
        setParameter (fFilterLPButtonB, filterLPButtonB->getButtonValue());
        setParameter (fFilterHPButtonB, filterHPButtonB->getButtonValue());
        lowPassShapeB->setVisible (lowPass);
        highPassShapeB->setVisible (! lowPass);
    }
    else if (button == stereoModeButton)
    {
        stereoModeButton->setButtonValue (1.0);
        linkModeButton->setButtonValue (0.0);
        pingPongModeButton->setButtonValue (0.0);
        linkModePanel->setVisible (false);
        setParameter (fLinkModeButton, linkModeButton->getButtonValue());
        setParameter (fPingPongModeButton, pingPongModeButton->getButtonValue());
        setParameter (fStereoModeButton, stereoModeButton->getButtonValue());
        modeIndicator->setKnobValue (0.0);
        updateLinkAndDelayDisplays();
    }
    else if (button == linkModeButton)
    {
        linkModeButton->setButtonValue (1.0);
        stereoModeButton->setButtonValue (0.0);
        linkModePanel->setVisible (true);
        setParameter (fStereoModeButton, stereoModeButton->getButtonValue());
        setParameter (fLinkModeButton, linkModeButton->getButtonValue());
        modeIndicator->setKnobValue (pingPongModeButton->getButtonValue() == 0.0 ? 0.5 : 1.0);
        copyLeftLineToRight();
        updateLinkAndDelayDisplays();
    }
    else if (button == pingPongModeButton)
    {
        // Ping-pong always brings link mode with it; turning it off leaves
        // the lines linked.
        stereoModeButton->setButtonValue (0.0);
        linkModeButton->setButtonValue (1.0);
        linkModePanel->setVisible (true);
        setParameter (fStereoModeButton, stereoModeButton->getButtonValue());
        setParameter (fLinkModeButton, linkModeButton->getButtonValue());
        setParameter (fPingPongModeButton, pingPongModeButton->getButtonValue());

        if (isOn (pingPongModeButton->getButtonValue()))
            modeIndicator->setKnobValue (1.0);
        else if (isOn (linkModeButton->getButtonValue()))
            modeIndicator->setKnobValue (0.5);

        copyLeftLineToRight();
        updateLinkAndDelayDisplays();
    }
    else if (button == delaySyncButton)
    {
        syncOn = isOn (delaySyncButton->getButtonValue());
        setParameter (fDelaySyncButton, delaySyncButton->getButtonValue());
        updateLinkAndDelayDisplays();
    }
    else if (button == delayTripletButton)
    {
        dottedOn = false;
        tripletOn = isOn (delayTripletButton->getButtonValue());
        setParameter (fDelayTripletButton, delayTripletButton->getButtonValue());
        delayDotButton->setButtonValue (0.0);
        setParameter (fDelayDotButton, delayDotButton->getButtonValue());
    }
    else if (button == delayDotButton)
    {
        tripletOn = false;
        dottedOn = isOn (delayDotButton->getButtonValue());
        setParameter (fDelayDotButton, delayDotButton->getButtonValue());
        delayTripletButton->setButtonValue (0.0);
        setParameter (fDelayTripletButton, delayTripletButton->getButtonValue());
    }
    else if (button == infoHotSpot)
    {
        const bool show = ! aboutPanel->isShowing();
        aboutPanel->setVisible (show);
        versionLabel->setVisible (show);
    }
    else if (button == aboutPanel)
    {
        if (aboutPanel->isShowing())
        {
            aboutPanel->setVisible (false);
            versionLabel->setVisible (false);
        }
    }
}

void DemoEditorComponent::copyLeftLineToRight()
{
    setParameter (fDelayRight, delayKnob->getKnobValue());
    if (syncOn)
        setParameter (fDelayRight, delaySyncKnob->getKnobValue());

    setParameter (fFeedbackRight, feedbackKnob->getKnobValue());
    setParameter (fPanRight, panKnob->getKnobValue());
    setParameter (fFilterFreqRight, frequencyKnob->getKnobValue());
    setParameter (fFilterResRight, resonanceKnob->getKnobValue());
    setParameter (fMixRight, dryWetKnob->getKnobValue());
    setParameter (fOutputRight, outputKnob->getKnobValue());

    // The left line's own filter type goes out again before the right one's.
    setParameter (fFilterLPButton, filterLPButton->getButtonValue());
    setParameter (fFilterHPButton, filterHPButton->getButtonValue());
    setParameter (fFilterLPButtonB, filterLPButton->getButtonValue());
    setParameter (fFilterHPButtonB, filterHPButton->getButtonValue());

    if (isOn (filterLPButton->getButtonValue()))
    {
        lowPassShapeB->setVisible (true);
        highPassShapeB->setVisible (false);
    }
    else if (isOn (filterHPButton->getButtonValue()))
    {
        lowPassShapeB->setVisible (false);
        highPassShapeB->setVisible (true);
    }
}

//==============================================================================
void DemoEditorComponent::changeListenerCallback (juce::ChangeBroadcaster*)
{
    auto& filter = getFilter();
    HostPosition position;
    float values[ParameterTable::numParameters];

    {
        // One consistent snapshot: the audio thread holds this lock for a
        // whole block. Nothing else is done while holding it.
        const juce::ScopedLock sl (filter.processLock);
        position = filter.lastHostPosition;

        for (int i = 0; i < ParameterTable::numParameters; ++i)
            values[i] = filter.getParameter (i);
    }

    // Label::setText repaints only when the text really differs.
    tempoLabel->setText (tempoText (position), juce::dontSendNotification);
    timeSigLabel->setText (timeSignatureText (position), juce::dontSendNotification);

    // Frequency and resonance interleave: both frequencies before both resonances.
    static constexpr int order[] = {
        fOnButton, fLeftSelButton, fRightSelButton, fStereoSelButton, fStereoModeButton,
        fLinkModeButton, fPingPongModeButton, fDelaySyncButton, fDelayTripletButton, fDelayDotButton,
        fDelayLeft, fDelayRight, fFeedbackLeft, fFeedbackRight, fPanLeft, fPanRight,
        fFilterOnButton, fFilterLPButton, fFilterHPButton, fFilterOnButtonB, fFilterLPButtonB, fFilterHPButtonB,
        fFilterFreqLeft, fFilterFreqRight, fFilterResLeft, fFilterResRight,
        fMixLeft, fMixRight, fOutputLeft, fOutputRight
    };

    for (const int index : order)
    {
        const float value = values[index];

        if (value != shownValues[(size_t) index])
            applyParameter (index, value, values);

        shownValues[(size_t) index] = value;
    }

    delayModeLabel->setText ("D:" + delayModeLeft + " - " + delayModeRight, juce::dontSendNotification);
}

void DemoEditorComponent::applyParameter (int index, float value, const float* values)
{
    const double v = (double) value;
    const bool on = isOn (v);
    const bool linked = ! unlinked;

    switch (index)
    {
        case fOnButton:        powerButton->setButtonValue (v); break;
        case fLeftSelButton:   leftSelButton->setButtonValue (v); break;
        case fRightSelButton:  rightSelButton->setButtonValue (v); break;
        case fStereoSelButton: stereoSelButton->setButtonValue (v); break;

        case fStereoModeButton:
            stereoModeButton->setButtonValue (v);
            if (on)
            {
                linkModePanel->setVisible (false);
                modeIndicator->setKnobValue (0.0);
            }
            updateLinkAndDelayDisplays();
            break;

        case fLinkModeButton:
            linkModeButton->setButtonValue (v);
            if (on)
            {
                linkModePanel->setVisible (true);
                modeIndicator->setKnobValue (0.5);
            }
            updateLinkAndDelayDisplays();
            break;

        case fPingPongModeButton:
            pingPongModeButton->setButtonValue (v);
            if (on)
            {
                linkModePanel->setVisible (true);
                modeIndicator->setKnobValue (1.0);
            }
            else if (isOn ((double) values[fLinkModeButton]))
            {
                modeIndicator->setKnobValue (0.5);
            }
            updateLinkAndDelayDisplays();
            break;

        case fDelaySyncButton:
            delaySyncButton->setButtonValue (v);
            syncOn = on;
            updateLinkAndDelayDisplays();
            break;

        case fDelayTripletButton:
            delayTripletButton->setButtonValue (v);
            tripletOn = on;
            updateLinkAndDelayDisplays();
            break;

        case fDelayDotButton:
            delayDotButton->setButtonValue (v);
            dottedOn = on;
            updateLinkAndDelayDisplays();
            break;

        case fDelayLeft:
            delayKnob->setKnobValue (v, false);
            delaySyncKnob->setKnobValue (v, false);
            updateLinkAndDelayDisplays();
            break;

        case fDelayRight:
            delayKnobB->setKnobValue (v, false);
            delaySyncKnobB->setKnobValue (v, false);
            updateLinkAndDelayDisplays();
            break;

        case fFeedbackLeft:
        {
            feedbackKnob->setKnobValue (v, false);
            const double w = feedbackKnob->getKnobValue();
            const auto text = percentText (w, true);
            feedbackDisplay->setText (text, juce::dontSendNotification);
            feedbackIcon->setKnobValue (w);
            if (linked)
            {
                feedbackDisplayB->setText (text, juce::dontSendNotification);
                feedbackIconB->setKnobValue (1.0 - w);
                feedbackKnobB->setKnobValue (w, false);
            }
            break;
        }

        case fFeedbackRight:
        {
            feedbackKnobB->setKnobValue (v, false);
            const double w = feedbackKnobB->getKnobValue();
            feedbackDisplayB->setText (percentText (w, true), juce::dontSendNotification);
            feedbackIconB->setKnobValue (1.0 - w);
            break;
        }

        case fPanLeft:
        {
            panKnob->setKnobValue (v, false);
            const double w = panKnob->getKnobValue();
            const auto text = percentText (w, true);
            panDisplay->setText (text, juce::dontSendNotification);
            panNeedle->setKnobValue (w);
            if (linked)
            {
                panDisplayB->setText (text, juce::dontSendNotification);
                panNeedleB->setKnobValue (w);
                panKnobB->setKnobValue (w, false);
            }
            break;
        }

        case fPanRight:
        {
            panKnobB->setKnobValue (v, false);
            const double w = panKnobB->getKnobValue();
            panDisplayB->setText (percentText (w, true), juce::dontSendNotification);
            panNeedleB->setKnobValue (w);
            break;
        }

        case fFilterOnButton:
            filterOnButton->setButtonValue (v);
            if (linked)
                filterOnButtonB->setButtonValue (v);
            break;

        case fFilterLPButton:
            filterLPButton->setButtonValue (v);
            if (on)
            {
                lowPassShape->setVisible (true);
                highPassShape->setVisible (false);
            }
            if (linked)
            {
                filterLPButtonB->setButtonValue (v);
                if (on)
                {
                    lowPassShapeB->setVisible (true);
                    highPassShapeB->setVisible (false);
                }
            }
            break;

        case fFilterHPButton:
            filterHPButton->setButtonValue (v);
            if (on)
            {
                lowPassShape->setVisible (false);
                highPassShape->setVisible (true);
            }
            if (linked)
            {
                filterHPButtonB->setButtonValue (v);
                if (on)
                {
                    lowPassShapeB->setVisible (false);
                    highPassShapeB->setVisible (true);
                }
            }
            break;

        case fFilterOnButtonB:
            filterOnButtonB->setButtonValue (v);
            break;

        case fFilterLPButtonB:
            filterLPButtonB->setButtonValue (v);
            if (on)
            {
                lowPassShapeB->setVisible (true);
                highPassShapeB->setVisible (false);
            }
            break;

        case fFilterHPButtonB:
            filterHPButtonB->setButtonValue (v);
            if (on)
            {
                lowPassShapeB->setVisible (false);
                highPassShapeB->setVisible (true);
            }
            break;

        case fFilterFreqLeft:
        {
            frequencyKnob->setKnobValue (v, false);
            const double w = frequencyKnob->getKnobValue();
            const auto text = percentText (w, true);
            frequencyDisplay->setText (text, juce::dontSendNotification);
            lowPassShape->setShapeFrequency (w);
            highPassShape->setShapeFrequency (w);
            if (linked)
            {
                frequencyDisplayB->setText (text, juce::dontSendNotification);
                lowPassShapeB->setShapeFrequency (w);
                highPassShapeB->setShapeFrequency (w);
                frequencyKnobB->setKnobValue (w, false);
            }
            break;
        }

        case fFilterFreqRight:
        {
            frequencyKnobB->setKnobValue (v, false);
            const double w = frequencyKnobB->getKnobValue();
            frequencyDisplayB->setText (percentText (w, true), juce::dontSendNotification);
            lowPassShapeB->setShapeFrequency (w);
            highPassShapeB->setShapeFrequency (w);
            break;
        }

        case fFilterResLeft:
        {
            resonanceKnob->setKnobValue (v, false);
            const double w = resonanceKnob->getKnobValue();
            const auto text = percentText (w, true);
            resonanceDisplay->setText (text, juce::dontSendNotification);
            lowPassShape->setShapeResonance (w);
            highPassShape->setShapeResonance (w);
            if (linked)
            {
                resonanceDisplayB->setText (text, juce::dontSendNotification);
                lowPassShapeB->setShapeResonance (w);
                highPassShapeB->setShapeResonance (w);
                resonanceKnobB->setKnobValue (w, false);
            }
            break;
        }

        case fFilterResRight:
        {
            resonanceKnobB->setKnobValue (v, false);
            const double w = resonanceKnobB->getKnobValue();
            resonanceDisplayB->setText (percentText (w, true), juce::dontSendNotification);
            lowPassShapeB->setShapeResonance (w);
            highPassShapeB->setShapeResonance (w);
            break;
        }

        case fMixLeft:
        {
            dryWetKnob->setKnobValue (v, false);
            const double w = dryWetKnob->getKnobValue();
            const auto text = percentText (w, true);
            dryWetDisplay->setText (text, juce::dontSendNotification);
            dryWetIcon->setKnobValue (w);
            if (linked)
            {
                dryWetDisplayB->setText (text, juce::dontSendNotification);
                dryWetIconB->setKnobValue (w);
                dryWetKnobB->setKnobValue (w, false);
            }
            break;
        }

        case fMixRight:
        {
            dryWetKnobB->setKnobValue (v, false);
            const double w = dryWetKnobB->getKnobValue();
            dryWetDisplayB->setText (percentText (w, true), juce::dontSendNotification);
            dryWetIconB->setKnobValue (w);
            break;
        }

        case fOutputLeft:
        {
            outputKnob->setKnobValue (v, false);
            const double w = outputKnob->getKnobValue();
            const auto text = outputText (w);
            outputDisplay->setText (text, juce::dontSendNotification);
            outputIcon->setKnobValue (w);
            if (linked)
            {
                outputDisplayB->setText (text, juce::dontSendNotification);
                outputIconB->setKnobValue (w);
                outputKnobB->setKnobValue (w, false);
            }
            break;
        }

        case fOutputRight:
        {
            outputKnobB->setKnobValue (v, false);
            const double w = outputKnobB->getKnobValue();
            outputDisplayB->setText (outputText (w), juce::dontSendNotification);
            outputIconB->setKnobValue (w);
            break;
        }

        default:
            break;
    }
}

#include "controls/images/generator/PreviewFace.h"

#include "controls/images/generator/ArtKit.h"

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

template <typename T>
T* PreviewFace::add (std::unique_ptr<T> c, juce::Rectangle<int> bounds, bool visible)
{
    auto* raw = c.get();
    raw->setBounds (bounds);
    addChildComponent (raw);
    raw->setVisible (visible);
    owned.push_back (std::move (c));
    return raw;
}

juce::Label* PreviewFace::addLabel (const juce::String& text, juce::Rectangle<int> bounds, bool centred)
{
    auto label = std::make_unique<juce::Label> (juce::String(), text);
    label->setColour (juce::Label::backgroundColourId, juce::Colour (0x00000000u));
    label->setColour (juce::Label::textColourId, juce::Colour (0xff777777u));
    label->setColour (juce::Label::outlineColourId, juce::Colour (0x1a000000u));
    label->setFont (ArtKit::font (ArtKit::FontStyle::bold, 10.0f));
    if (centred)
        label->setJustificationType (juce::Justification::centred);
    return add (std::move (label), bounds);
}

PreviewFace::PreviewFace (const State& s)
{
    setSize (525, 312);

    auto onOff = [] (bool b) { return b ? 1.0 : 0.0; };
    auto percent = [] (double v) { return juce::String (v * 100.0, 1) + "%"; };

    add (std::make_unique<qGUIDelayBGTX>(), { 0, 0, 525, 312 });
    add (std::make_unique<qGUILinkModeBGTX>(), { 86, 146, 421, 112 }, s.linked);

    auto button = [&] (auto c, juce::Rectangle<int> r, bool on, bool visible = true)
    {
        auto* b = add (std::move (c), r, visible);
        b->setButtonValue (onOff (on));
    };
    button (std::make_unique<qGUIDelayPower>(), { 27, 131, 44, 19 }, s.power);
    button (std::make_unique<qGUIDelayInputSelect>(), { 20, 164, 22, 19 }, s.leftInput);
    button (std::make_unique<qGUIDelayInputSelect>(), { 56, 164, 22, 19 }, s.rightInput);
    button (std::make_unique<qGUIDelayInputStereoSelectTX>(), { 44, 167, 10, 10 }, s.stereoInput);
    button (std::make_unique<qGUIDelayStereoMode>(), { 21, 207, 56, 11 }, ! s.linked);
    button (std::make_unique<qGUIDelayLinkMode>(), { 21, 219, 56, 11 }, s.linked);
    button (std::make_unique<qGUIDelayPingPongMode>(), { 21, 231, 56, 11 }, s.pingPong);
    button (std::make_unique<qGUIDelaySync>(), { 93, 147, 20, 11 }, s.sync);
    button (std::make_unique<qGUIDelayTriplet>(), { 117, 147, 8, 8 }, s.triplet);
    button (std::make_unique<qGUIDelayDotted>(), { 129, 147, 8, 8 }, s.dotted);
    for (int row = 0; row < 2; ++row)
    {
        const int y = row == 0 ? 147 : 204;
        const bool visible = row == 0 || ! s.linked;
        button (std::make_unique<qGUIDelayFilterPower>(), { 273, y, 14, 11 }, s.filterOn[row], visible);
        button (std::make_unique<qGUIDelayFilterLP>(), { 303, y, 14, 11 }, s.lowPass[row], visible);
        button (std::make_unique<qGUIDelayFilterHP>(), { 318, y, 14, 11 }, ! s.lowPass[row], visible);
    }

    const double* values[] = { s.delay, s.feedback, s.pan, s.frequency, s.resonance, s.dryWet, s.output };
    for (int row = 0; row < 2; ++row)
    {
        const int y = row == 0 ? 158 : 215;
        const bool rowVisible = row == 0 || ! s.linked;
        const int r = s.linked ? 0 : row;

        auto* syncKnob = add (std::make_unique<qGUIDelayKnobTX7TX>(), { 101, y, 32, 31 }, rowVisible && s.sync);
        syncKnob->setKnobValue (values[0][r], false);

        for (int c = 0; c < 7; ++c)
        {
            auto* knob = add (std::make_unique<qGUIDelayKnobTX2>(), { 101 + 60 * c, y, 32, 31 },
                              rowVisible && ! (c == 0 && s.sync));
            knob->setKnobValue (values[c][r], false);

            juce::String text = c == 0 ? s.delayText[r]
                              : c == 6 ? juce::String (values[c][r] * 24.0 - 12.0, 1) + "db"
                                       : percent (values[c][r]);
            addLabel (text, { 98 + 60 * c, y + 30, 37, 13 }, false);
        }
    }

    for (int row = 0; row < 2; ++row)
    {
        const int r = s.linked ? 0 : row;
        auto* arrow = add (std::make_unique<qGUIArrowHorizontalRight>(), { 93, row == 0 ? 45 : 80, 48, 20 });
        arrow->setArrowStyle();
        arrow->setArrowLength ((float) (s.sync ? std::trunc (s.delay[r] * 7.0) / 7.0 : s.delay[r]));
    }

    add (std::make_unique<qGUIbalanceknob2LTX>(), { 201, 24, 70, 37 })->setKnobValue (s.pan[0]);
    add (std::make_unique<qGUIbalanceknob2RTX>(), { 201, 84, 70, 37 })->setKnobValue (s.pan[s.linked ? 0 : 1]);

    for (int row = 0; row < 2; ++row)
    {
        const int r = s.linked ? 0 : row;
        const juce::Rectangle<int> area (274, row == 0 ? 25 : 76, 105, 45);
        auto prepare = [&] (qGUIFilterShape* shape, bool visible)
        {
            shape->setSize (105, 45);
            shape->setShapeColours();
            shape->setShapeLineThickness();
            shape->enableShape();
            shape->setShapeFrequency (s.frequency[r]);
            shape->setShapeResonance (s.resonance[r]);
            shape->setVisible (visible);
        };
        prepare (add (std::make_unique<qGUILimiterLPF>(), area), s.lowPass[r]);
        prepare (add (std::make_unique<qGUILimiterHPF>(), area), ! s.lowPass[r]);
    }

    const int right = s.linked ? 0 : 1;
    add (std::make_unique<qGUIDelayFeedbackGuiTXL>(), { 146, 16, 60, 60 })->setKnobValue (s.feedback[0]);
    add (std::make_unique<qGUIDelayFeedbackGuiTXR>(), { 146, 75, 60, 60 })->setKnobValue (1.0 - s.feedback[right]);
    add (std::make_unique<qGUIDelayOutputTX>(), { 449, 16, 60, 61 })->setKnobValue (s.output[0]);
    add (std::make_unique<qGUIDelayOutputTX>(), { 449, 68, 60, 61 })->setKnobValue (s.output[right]);
    add (std::make_unique<qGUIDelayWetDryTXL>(), { 387, 17, 60, 60 })->setKnobValue (s.dryWet[0]);
    add (std::make_unique<qGUIDelayWetDryTXR>(), { 387, 68, 60, 60 })->setKnobValue (s.dryWet[right]);

    addLabel (s.tempo, { 24, 30, 56, 12 }, true);
    addLabel (s.signature, { 24, 50, 56, 12 }, true);
    addLabel (s.mode, { 24, 72, 56, 12 }, true);

    add (std::make_unique<qGUIDelay3WayModeKnobTX>(), { 23, 95, 58, 19 })
        ->setKnobValue (s.pingPong ? 1.0 : (s.linked ? 0.5 : 0.0));
    add (std::make_unique<qGUIInfoButton>(), { 5, 255, 130, 55 });
    add (std::make_unique<qGUIDelayTXVersionInfo>(), { 11, 11, 502, 249 }, s.about);
    add (std::make_unique<qGUIPluginVersion>(), { 266, 165, 70, 20 }, s.about)->setVersionText ("R1.1.1");
}

PreviewFace::~PreviewFace()
{
    removeAllChildren();
}

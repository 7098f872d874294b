// Construction of the editor: which children it makes, in which order and
// where, what they show first, the labels' set-up, the size it remembers and
// the look-and-feel it shares.
#include "tests/editor/EditorFixture.h"
#include "editor/EditorResources.h"
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
#include <typeindex>

using namespace ParameterTable;

namespace
{
    struct Placement
    {
        std::type_index type;
        juce::Rectangle<int> bounds;
        const char* name;  // component name (labels only)
    };

    template <typename T>
    std::type_index is() { return std::type_index (typeid (T)); }

    const Placement layout[numChildren] = {
        { is<qGUIDelayBGTX>(),                { 0, 0, 525, 312 },    "" },
        { is<qGUILinkModeBGTX>(),             { 86, 146, 421, 112 }, "" },
        { is<qGUIDelayPower>(),               { 27, 131, 44, 19 },   "" },
        { is<qGUIDelayInputSelect>(),         { 20, 164, 22, 19 },   "" },
        { is<qGUIDelayInputSelect>(),         { 56, 164, 22, 19 },   "" },
        { is<qGUIDelayInputStereoSelectTX>(), { 44, 167, 10, 10 },   "" },
        { is<qGUIDelayStereoMode>(),          { 21, 207, 56, 11 },   "" },
        { is<qGUIDelayLinkMode>(),            { 21, 219, 56, 11 },   "" },
        { is<qGUIDelayPingPongMode>(),        { 21, 231, 56, 11 },   "" },
        { is<qGUIDelaySync>(),                { 93, 147, 20, 11 },   "" },
        { is<qGUIDelayTriplet>(),             { 117, 147, 8, 8 },    "" },
        { is<qGUIDelayDotted>(),              { 129, 147, 8, 8 },    "" },
        { is<qGUIDelayFilterPower>(),         { 273, 147, 14, 11 },  "" },
        { is<qGUIDelayFilterLP>(),            { 303, 147, 14, 11 },  "" },
        { is<qGUIDelayFilterHP>(),            { 318, 147, 14, 11 },  "" },
        { is<qGUIDelayFilterPower>(),         { 273, 204, 14, 11 },  "" },
        { is<qGUIDelayFilterLP>(),            { 303, 204, 14, 11 },  "" },
        { is<qGUIDelayFilterHP>(),            { 318, 204, 14, 11 },  "" },
        { is<qGUIDelayKnobTX7TX>(),           { 101, 158, 32, 31 },  "" },
        { is<qGUIDelayKnobTX2>(),             { 101, 158, 32, 31 },  "" },
        { is<juce::Label>(),                  { 98, 188, 37, 13 },   "DelayDisplay" },
        { is<qGUIDelayKnobTX2>(),             { 161, 158, 32, 31 },  "" },
        { is<juce::Label>(),                  { 158, 188, 37, 13 },  "FeedbackDisplay" },
        { is<qGUIDelayKnobTX2>(),             { 221, 158, 32, 31 },  "" },
        { is<juce::Label>(),                  { 218, 188, 37, 13 },  "PanDisplay" },
        { is<qGUIDelayKnobTX2>(),             { 281, 158, 32, 31 },  "" },
        { is<juce::Label>(),                  { 278, 188, 37, 13 },  "FrequencyDisplay" },
        { is<qGUIDelayKnobTX2>(),             { 341, 158, 32, 31 },  "" },
        { is<juce::Label>(),                  { 338, 188, 37, 13 },  "ResonanceDisplay" },
        { is<qGUIDelayKnobTX2>(),             { 401, 158, 32, 31 },  "" },
        { is<juce::Label>(),                  { 398, 188, 37, 13 },  "DryWetDisplay" },
        { is<qGUIDelayKnobTX2>(),             { 461, 158, 32, 31 },  "" },
        { is<juce::Label>(),                  { 458, 188, 37, 13 },  "OutputDisplay" },
        { is<qGUIDelayKnobTX7TX>(),           { 101, 215, 32, 31 },  "" },
        { is<qGUIDelayKnobTX2>(),             { 101, 215, 32, 31 },  "" },
        { is<juce::Label>(),                  { 98, 245, 37, 13 },   "DelayDisplayB" },
        { is<qGUIDelayKnobTX2>(),             { 161, 215, 32, 31 },  "" },
        { is<juce::Label>(),                  { 158, 245, 37, 13 },  "FeedbackDisplayB" },
        { is<qGUIDelayKnobTX2>(),             { 221, 215, 32, 31 },  "" },
        { is<juce::Label>(),                  { 218, 245, 37, 13 },  "PanDisplayB" },
        { is<qGUIDelayKnobTX2>(),             { 281, 215, 32, 31 },  "" },
        { is<juce::Label>(),                  { 278, 245, 37, 13 },  "FrequencyDisplayB" },
        { is<qGUIDelayKnobTX2>(),             { 341, 215, 32, 31 },  "" },
        { is<juce::Label>(),                  { 338, 245, 37, 13 },  "ResonanceDisplayB" },
        { is<qGUIDelayKnobTX2>(),             { 401, 215, 32, 31 },  "" },
        { is<juce::Label>(),                  { 398, 245, 37, 13 },  "DryWetDisplayB" },
        { is<qGUIDelayKnobTX2>(),             { 461, 215, 32, 31 },  "" },
        { is<juce::Label>(),                  { 458, 245, 37, 13 },  "OutputDisplayB" },
        { is<qGUIArrowHorizontalRight>(),     { 93, 45, 48, 20 },    "" },
        { is<qGUIArrowHorizontalRight>(),     { 93, 80, 48, 20 },    "" },
        { is<qGUIbalanceknob2LTX>(),          { 201, 24, 70, 37 },   "" },
        { is<qGUIbalanceknob2RTX>(),          { 201, 84, 70, 37 },   "" },
        { is<qGUILimiterLPF>(),               { 274, 25, 105, 45 },  "" },
        { is<qGUILimiterLPF>(),               { 274, 76, 105, 45 },  "" },
        { is<qGUILimiterHPF>(),               { 274, 25, 105, 45 },  "" },
        { is<qGUILimiterHPF>(),               { 274, 76, 105, 45 },  "" },
        { is<qGUIDelayFeedbackGuiTXL>(),      { 146, 16, 60, 60 },   "" },
        { is<qGUIDelayFeedbackGuiTXR>(),      { 146, 75, 60, 60 },   "" },
        { is<qGUIDelayOutputTX>(),            { 449, 16, 60, 61 },   "" },
        { is<qGUIDelayOutputTX>(),            { 449, 68, 60, 61 },   "" },
        { is<qGUIDelayWetDryTXL>(),           { 387, 17, 60, 60 },   "" },
        { is<qGUIDelayWetDryTXR>(),           { 387, 68, 60, 60 },   "" },
        { is<juce::Label>(),                  { 24, 30, 56, 12 },    "" },
        { is<juce::Label>(),                  { 24, 50, 56, 12 },    "" },
        { is<juce::Label>(),                  { 24, 72, 56, 12 },    "" },
        { is<qGUIDelay3WayModeKnobTX>(),      { 23, 95, 58, 19 },    "" },
        { is<qGUIInfoButton>(),               { 5, 255, 130, 55 },   "" },
        { is<qGUIDelayTXVersionInfo>(),       { 11, 11, 502, 249 },  "" },
        { is<qGUIPluginVersion>(),            { 266, 165, 70, 20 },  "" },
    };

    const int valueLabels[] = { delayDisplay, feedbackDisplay, panDisplay, frequencyDisplay, resonanceDisplay,
                                dryWetDisplay, outputDisplay, delayDisplayB, feedbackDisplayB, panDisplayB,
                                frequencyDisplayB, resonanceDisplayB, dryWetDisplayB, outputDisplayB };
    const int infoLabels[] = { tempoLabel, timeSigLabel, delayModeLabel };

    const int rightKnobs[] = { delaySyncKnobB, delayKnobB, feedbackKnobB, panKnobB, frequencyKnobB,
                               resonanceKnobB, dryWetKnobB, outputKnobB };
    const int rightFilterSwitches[] = { filterOnButtonB, filterLPButtonB, filterHPButtonB };

    /** Children whose visibility the defaults decide; the rest are all visible. */
    bool visibleByDefault (int number)
    {
        switch (number)
        {
            case linkModePanel: case delaySyncKnob: case delaySyncKnobB: case highPassShape:
            case highPassShapeB: case aboutPanel: case versionLabel:
                return false;
            default:
                return true;
        }
    }
}

using EditorConstruction = EditorFixture;

TEST_F (EditorConstruction, CreatesTheChildrenInLayoutOrderWithTheirClassesAndFinalBounds)
{
    auto& e = openEditor();
    ASSERT_EQ (e.getNumChildComponents(), (int) numChildren);

    for (int n = 1; n <= numChildren; ++n)
    {
        SCOPED_TRACE ("child #" + std::to_string (n));
        auto* c = e.getChildComponent (n - 1);
        const auto& expected = layout[n - 1];

        EXPECT_EQ (std::type_index (typeid (*c)), expected.type);
        EXPECT_EQ (c->getBounds(), expected.bounds);
        if (dynamic_cast<juce::Label*> (c) != nullptr)
            EXPECT_EQ (c->getName(), juce::String (expected.name));
    }
}

TEST_F (EditorConstruction, ANewProcessorOpensAt525By312WithTheDefaultsShown)
{
    auto& e = openEditor();
    EXPECT_EQ (e.getWidth(), 525);
    EXPECT_EQ (e.getHeight(), 312);

    for (int n = 1; n <= numChildren; ++n)
    {
        SCOPED_TRACE ("child #" + std::to_string (n));
        EXPECT_EQ (visible (n), visibleByDefault (n));
    }

    // Switches on: power, stereo input, stereo mode, both filter-on and both low-pass.
    const std::pair<int, double> switches[] = {
        { powerButton, 1.0 }, { leftSelButton, 0.0 }, { rightSelButton, 0.0 }, { stereoSelButton, 1.0 },
        { stereoModeButton, 1.0 }, { linkModeButton, 0.0 }, { pingPongModeButton, 0.0 },
        { delaySyncButton, 0.0 }, { delayTripletButton, 0.0 }, { delayDotButton, 0.0 },
        { filterOnButton, 1.0 }, { filterLPButton, 1.0 }, { filterHPButton, 0.0 },
        { filterOnButtonB, 1.0 }, { filterLPButtonB, 1.0 }, { filterHPButtonB, 0.0 },
    };
    for (auto [number, value] : switches)
    {
        SCOPED_TRACE ("switch #" + std::to_string (number));
        EXPECT_EQ (button (number), value);
        EXPECT_EQ (child<juce::Button> (number).getToggleState(), value == 1.0);
    }

    EXPECT_EQ (knob (modeIndicator), 0.0);
    EXPECT_EQ (knob (dryWetKnob), 0.5);
    EXPECT_EQ (knob (outputKnobB), 0.5);
    EXPECT_EQ (knob (dryWetIcon), 0.5);
    EXPECT_EQ (knob (feedbackIconB), 1.0);  // the complement of the right feedback
    EXPECT_EQ (child<qGUIPluginVersion> (versionLabel).getVersionText(), "R1.1.1");
}

TEST_F (EditorConstruction, ControlsStartFromTheProcessorsValues)
{
    const std::pair<int, float> values[] = {
        { fDelayLeft, 0.25f }, { fDelayRight, 0.75f }, { fFeedbackLeft, 0.3f }, { fFeedbackRight, 0.2f },
        { fPanLeft, 0.1f }, { fPanRight, 0.9f }, { fFilterFreqLeft, 0.6f }, { fFilterResLeft, 0.7f },
        { fFilterFreqRight, 0.4f }, { fFilterResRight, 0.35f }, { fMixLeft, 0.8f }, { fMixRight, 0.15f },
        { fOutputLeft, 1.0f }, { fOutputRight, 0.0f }, { fFilterHPButton, 1.0f }, { fFilterLPButton, 0.0f },
    };
    for (auto [index, value] : values)
        hostSetsParameter (index, value);

    openEditor();

    const std::tuple<int, float, const char*> knobs[] = {
        { delayKnob, 0.25f, "250.0ms" }, { delayKnobB, 0.75f, "750.0ms" },
        { feedbackKnob, 0.3f, "30.0%" }, { feedbackKnobB, 0.2f, "20.0%" },
        { panKnob, 0.1f, "10.0%" }, { panKnobB, 0.9f, "90.0%" },
        { frequencyKnob, 0.6f, "60.0%" }, { resonanceKnob, 0.7f, "70.0%" },
        { frequencyKnobB, 0.4f, "40.0%" }, { resonanceKnobB, 0.35f, "35.0%" },
        { dryWetKnob, 0.8f, "80.0%" }, { dryWetKnobB, 0.15f, "15.0%" },
        { outputKnob, 1.0f, "12.0db" }, { outputKnobB, 0.0f, "-12.0db" },
    };
    for (auto [number, value, label] : knobs)
    {
        SCOPED_TRACE ("knob #" + std::to_string (number));
        EXPECT_EQ (knob (number), (double) value);
        EXPECT_EQ (text (number + 1), label);  // each knob's value label follows it
    }

    EXPECT_EQ (knob (delaySyncKnob), (double) 0.25f);
    EXPECT_EQ (knob (delaySyncKnobB), (double) 0.75f);
    EXPECT_EQ (knob (feedbackIcon), (double) 0.3f);
    EXPECT_EQ (knob (feedbackIconB), 1.0 - (double) 0.2f);
    EXPECT_EQ (knob (panNeedle), (double) 0.1f);
    EXPECT_EQ (knob (panNeedleB), (double) 0.9f);
    EXPECT_EQ (knob (dryWetIcon), (double) 0.8f);
    EXPECT_EQ (knob (dryWetIconB), (double) 0.15f);
    EXPECT_EQ (knob (outputIcon), 1.0);
    EXPECT_EQ (knob (outputIconB), 0.0);

    // Arrows: trunc (48 x the free delay) pixels.
    EXPECT_EQ (child<qGUIArrowHorizontalRight> (delayArrow).getArrowLength(), 12);
    EXPECT_EQ (child<qGUIArrowHorizontalRight> (delayArrowB).getArrowLength(), 36);

    // The high-pass shape replaces the low-pass shape of the left line only.
    EXPECT_FALSE (visible (lowPassShape));
    EXPECT_TRUE (visible (highPassShape));
    EXPECT_TRUE (visible (lowPassShapeB));
    EXPECT_FALSE (visible (highPassShapeB));

    auto& lp = child<qGUIFilterShape> (lowPassShape);
    EXPECT_TRUE (lp.isShapeEnabled());
    EXPECT_EQ (lp.getWidth(), 105);
    EXPECT_EQ (lp.getHeight(), 45);
}

TEST_F (EditorConstruction, StartTextsUseThePercentSignWithoutSpaceAndTheHostPosition)
{
    hostSetsParameter (fOutputLeft, 0.499f);
    hostSetsParameter (fFeedbackLeft, 0.5f);
    openEditor();

    EXPECT_EQ (text (feedbackDisplay), "50.0%");
    EXPECT_EQ (text (dryWetDisplay), "50.0%");
    EXPECT_EQ (text (outputDisplay), "-0.0db");
    EXPECT_EQ (text (outputDisplayB), "0.0db");
    EXPECT_EQ (text (delayDisplay), "0.0ms");
    EXPECT_EQ (text (delayDisplayB), "0.0ms");
    EXPECT_EQ (text (tempoLabel), "120.00 BPM");
    EXPECT_EQ (text (timeSigLabel), "Sig: 4/4");
    EXPECT_EQ (text (delayModeLabel), "D:Free - Free");
}

TEST_F (EditorConstruction, StartTextsFollowAHostPositionReceivedBeforeOpening)
{
    TestHost::timeInfo().tempo = 97.5;
    TestHost::timeInfo().timeSigNumerator = 3;
    hostProcessesBlock();
    openEditor();

    EXPECT_EQ (text (tempoLabel), "97.50 BPM");
    EXPECT_EQ (text (timeSigLabel), "Sig: 3/4");
}

TEST_F (EditorConstruction, ValueLabelsAreSetUpAsGreyBoldArialThatCannotBeEdited)
{
    auto& e = openEditor();
    juce::ignoreUnused (e);

    for (int number : valueLabels)
    {
        SCOPED_TRACE ("label #" + std::to_string (number));
        auto& label = child<juce::Label> (number);
        EXPECT_EQ (label.findColour (juce::Label::backgroundColourId).getARGB(), 0x00000000u);
        EXPECT_EQ (label.findColour (juce::Label::textColourId).getARGB(), 0xff777777u);
        EXPECT_EQ (label.findColour (juce::Label::outlineColourId).getARGB(), 0x1a000000u);
        EXPECT_EQ (label.findColour (juce::TextEditor::highlightedTextColourId).getARGB(), 0xffffffffu);
        EXPECT_EQ (label.findColour (juce::TextEditor::textColourId).getARGB(), 0xff777777u);
        EXPECT_EQ (label.findColour (juce::CaretComponent::caretColourId).getARGB(), 0x00ffff00u);
        EXPECT_FALSE (label.isEditableOnSingleClick());
        EXPECT_FALSE (label.isEditableOnDoubleClick());
        EXPECT_EQ (label.getJustificationType(), juce::Justification (juce::Justification::centredLeft));
        EXPECT_EQ (label.getFont().getHeight(), 10.0f);
        EXPECT_TRUE (label.getFont().isBold());
    }

    for (int number : infoLabels)
    {
        SCOPED_TRACE ("label #" + std::to_string (number));
        auto& label = child<juce::Label> (number);
        EXPECT_EQ (label.findColour (juce::Label::backgroundColourId).getARGB(), 0x00000000u);
        EXPECT_EQ (label.findColour (juce::Label::textColourId).getARGB(), 0xff777777u);
        EXPECT_EQ (label.findColour (juce::Label::outlineColourId).getARGB(), 0x1a000000u);
        EXPECT_FALSE (label.isEditableOnSingleClick());
        EXPECT_FALSE (label.isEditableOnDoubleClick());
        EXPECT_EQ (label.getJustificationType(), juce::Justification (juce::Justification::centred));
        EXPECT_EQ (label.getFont().getHeight(), 10.0f);
        EXPECT_TRUE (label.getFont().isBold());
    }
}

TEST_F (EditorConstruction, LabelTypefaceIsTheMetricArialStandInLoadedFromItsFile)
{
    if (! juce::File ("/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf").existsAsFile())
        GTEST_SKIP() << "fonts-liberation is not installed";

    openEditor();
    ASSERT_TRUE (EditorResources::getInstance().hasLoadedTypeface());

    for (int number : { feedbackDisplay, tempoLabel })
    {
        const auto font = child<juce::Label> (number).getFont();
        EXPECT_EQ (font.getTypefaceName(), "Liberation Sans");
        EXPECT_EQ (font.getTypefaceStyle(), "Bold");
        EXPECT_EQ (font.getTypefacePtr()->getName(), "Liberation Sans");
    }
}

TEST_F (EditorConstruction, WithLinkOnTheRightLineIsHiddenUnderTheLinkPanelButItsLabelsStay)
{
    hostSetsParameter (fStereoModeButton, 0.0f);
    hostSetsParameter (fLinkModeButton, 1.0f);
    hostSetsParameter (fFeedbackLeft, 0.25f);
    hostSetsParameter (fFeedbackRight, 0.75f);
    hostSetsParameter (fOutputLeft, 1.0f);
    hostSetsParameter (fDelayLeft, 0.5f);
    openEditor();

    EXPECT_TRUE (visible (linkModePanel));
    for (int number : rightKnobs)
        EXPECT_FALSE (visible (number)) << "knob #" << number;
    for (int number : rightFilterSwitches)
        EXPECT_FALSE (visible (number)) << "switch #" << number;
    for (int number : valueLabels)
        EXPECT_TRUE (visible (number)) << "label #" << number;
    EXPECT_EQ (knob (modeIndicator), 0.5);

    // The right line's controls mirror the left line (texts without the space).
    EXPECT_EQ (text (feedbackDisplayB), "25.0%");
    EXPECT_EQ (knob (feedbackKnobB), (double) 0.25f);
    EXPECT_EQ (knob (feedbackIconB), 1.0 - (double) 0.25f);
    EXPECT_EQ (text (outputDisplayB), "12.0db");
    EXPECT_EQ (text (delayDisplayB), "500.0ms");
    EXPECT_EQ (knob (delayKnobB), 0.5);
    EXPECT_EQ (child<qGUIArrowHorizontalRight> (delayArrowB).getArrowLength(), 24);
    // ... while the right line's parameters keep their own values.
    EXPECT_EQ (parameter (fFeedbackRight), 0.75f);
}

TEST_F (EditorConstruction, WithLinkAndPingPongTheModeIndicatorShowsPingPong)
{
    hostSetsParameter (fStereoModeButton, 0.0f);
    hostSetsParameter (fLinkModeButton, 1.0f);
    hostSetsParameter (fPingPongModeButton, 1.0f);
    openEditor();

    EXPECT_EQ (knob (modeIndicator), 1.0);
    EXPECT_TRUE (visible (linkModePanel));
}

TEST_F (EditorConstruction, WithSyncTheSevenStepKnobsReplaceTheFreeDelayKnobs)
{
    hostSetsParameter (fDelaySyncButton, 1.0f);
    hostSetsParameter (fDelayLeft, 0.4f);
    hostSetsParameter (fDelayRight, 0.7f);
    hostSetsParameter (fDelayDotButton, 1.0f);
    openEditor();

    EXPECT_TRUE (visible (delaySyncKnob));
    EXPECT_FALSE (visible (delayKnob));
    EXPECT_TRUE (visible (delaySyncKnobB));
    EXPECT_FALSE (visible (delayKnobB));
    EXPECT_EQ (text (delayDisplay), "1/16.");
    EXPECT_EQ (text (delayDisplayB), "1/4.");
    EXPECT_EQ (text (delayModeLabel), "D:1/16. - 1/4.");
}

TEST_F (EditorConstruction, WithSyncAndLinkTheRightDelayKnobsAreBothHidden)
{
    hostSetsParameter (fDelaySyncButton, 1.0f);
    hostSetsParameter (fStereoModeButton, 0.0f);
    hostSetsParameter (fLinkModeButton, 1.0f);
    hostSetsParameter (fDelayLeft, 0.6f);
    openEditor();

    EXPECT_TRUE (visible (delaySyncKnob));
    EXPECT_FALSE (visible (delaySyncKnobB));
    EXPECT_FALSE (visible (delayKnobB));
    EXPECT_EQ (knob (delaySyncKnobB), (double) 0.6f);
    EXPECT_EQ (text (delayModeLabel), "D:1/8 - 1/8");
}

TEST_F (EditorConstruction, ResizingRemembersTheSizeForTheNextEditor)
{
    auto& e = openEditor();
    e.setSize (600, 400);
    EXPECT_EQ (filter().lastEditorWidth, 600);
    EXPECT_EQ (filter().lastEditorHeight, 400);
    EXPECT_EQ (e.getChildComponent (backgroundPanel - 1)->getBounds(), juce::Rectangle<int> (0, 0, 525, 312));

    closeEditor();
    auto& next = openEditor();
    EXPECT_EQ (next.getWidth(), 600);
    EXPECT_EQ (next.getHeight(), 400);
}

TEST_F (EditorConstruction, EveryEditorOfTheProcessUsesTheOneOldSchoolLookAndFeel)
{
    openEditor();
    auto* first = &juce::LookAndFeel::getDefaultLookAndFeel();
    EXPECT_NE (dynamic_cast<juce::LookAndFeel_V1*> (first), nullptr);

    // A second plug-in instance with its own editor.
    JuceVSTWrapper other (&TestHost::callback, std::make_unique<DemoJuceFilter>());
    std::unique_ptr<AudioFilterEditor> otherEditor (other.getProcessor().getOrCreateEditor());
    ASSERT_NE (otherEditor, nullptr);

    EXPECT_EQ (&juce::LookAndFeel::getDefaultLookAndFeel(), first);
    EXPECT_EQ (&otherEditor->getLookAndFeel(), first);
    EXPECT_EQ (&EditorResources::getInstance().getLookAndFeel(), first);

    other.getProcessor().forgetEditor (otherEditor.get());
}

TEST_F (EditorConstruction, AClosedEditorNoLongerHearsTheProcessor)
{
    openEditor();
    hostSetsParameter (fFeedbackLeft, 0.25f);  // a change message is now pending
    closeEditor();
    pump();                                     // and must not reach the deleted editor

    hostSetsParameter (fFeedbackLeft, 0.5f);
    pump();
    EXPECT_EQ (filter().getActiveEditor(), nullptr);

    openEditor();
    EXPECT_EQ (text (feedbackDisplay), "50.0%");
}

// The refresh that follows the processor: host automation, program changes,
// chunk loads and the host's tempo reach the editor with the next pump of the
// message loop, and the texts it writes.
#include "tests/editor/EditorFixture.h"
#include "controls/qGUIArrowHorizontalRight.h"
#include "controls/qGUIDelayKnobTX2.h"
#include "controls/qGUIFilterShape.h"

using namespace ParameterTable;

namespace
{
    /** Every refresh test also checks that nothing went back to the host:
        a refresh only changes controls. */
    class EditorRefresh : public EditorFixture
    {
    protected:
        void TearDown() override
        {
            EXPECT_TRUE (TestHost::automation().empty()) << "the refresh sent parameters to the host";
            EditorFixture::TearDown();
        }

        void link()
        {
            hostSetsParameter (fStereoModeButton, 0.0f);
            hostSetsParameter (fLinkModeButton, 1.0f);
        }

        int arrowLength (int number) { return child<qGUIArrowHorizontalRight> (number).getArrowLength(); }
    };

    const int rightKnobsAndSwitches[] = { delaySyncKnobB, delayKnobB, feedbackKnobB, panKnobB, frequencyKnobB,
                                          resonanceKnobB, dryWetKnobB, outputKnobB,
                                          filterOnButtonB, filterLPButtonB, filterHPButtonB };
}

//==============================================================================
// One left column changed by the host, unlinked and linked.

struct ColumnCase
{
    int parameter;
    int rightParameter;
    float value;
    int knob, label, knobB, labelB;
    int display, displayB;     // 0: the column has filter shapes instead
    bool complementOnRight;    // the right feedback icon shows 1 - value
    const char* text;
};

void PrintTo (const ColumnCase& c, std::ostream* os) { *os << "parameter " << c.parameter; }

class EditorColumnRefresh : public EditorRefresh,
                            public ::testing::WithParamInterface<std::tuple<ColumnCase, bool>>
{
};

TEST_P (EditorColumnRefresh, LeftColumnFollowsTheHostAndTheRightOneOnlyWhileLinked)
{
    const auto [c, linked] = GetParam();

    if (linked)
        link();

    openEditor();
    pump();

    const juce::String rightTextBefore = text (c.labelB);
    const double rightKnobBefore = knob (c.knobB);

    hostSetsParameter (c.parameter, c.value);
    pump();

    const double w = (double) c.value;
    EXPECT_EQ (knob (c.knob), w);
    EXPECT_EQ (text (c.label), c.text);

    if (c.display != 0)
    {
        EXPECT_EQ (knob (c.display), w);
    }
    else
    {
        // Both shapes of a line share its knobs; the right ones follow only while linked.
        const auto sameShape = [this] (int left, int right)
        {
            auto& a = child<qGUIFilterShape> (left);
            auto& b = child<qGUIFilterShape> (right);
            return a.getShapePath() == b.getShapePath() && a.getLinePath() == b.getLinePath();
        };
        EXPECT_EQ (sameShape (lowPassShape, lowPassShapeB), linked);
        EXPECT_EQ (sameShape (highPassShape, highPassShapeB), linked);
    }

    if (linked)
    {
        EXPECT_EQ (knob (c.knobB), w);
        EXPECT_EQ (text (c.labelB), c.text);
        if (c.displayB != 0)
            EXPECT_EQ (knob (c.displayB), c.complementOnRight ? 1.0 - w : w);
    }
    else
    {
        EXPECT_EQ (knob (c.knobB), rightKnobBefore);
        EXPECT_EQ (text (c.labelB), rightTextBefore);
    }

    // The right line's parameter is the host's business, not the refresh's.
    EXPECT_EQ (parameter (c.rightParameter), ParameterTable::defaults[c.rightParameter]);
}

INSTANTIATE_TEST_SUITE_P (
    Columns, EditorColumnRefresh,
    ::testing::Combine (
        ::testing::Values (
            ColumnCase { fFeedbackLeft, fFeedbackRight, 0.25f, feedbackKnob, feedbackDisplay, feedbackKnobB, feedbackDisplayB,
                         feedbackIcon, feedbackIconB, true, "25.0 %" },
            ColumnCase { fPanLeft, fPanRight, 0.3f, panKnob, panDisplay, panKnobB, panDisplayB,
                         panNeedle, panNeedleB, false, "30.0 %" },
            ColumnCase { fFilterFreqLeft, fFilterFreqRight, 0.6f, frequencyKnob, frequencyDisplay, frequencyKnobB, frequencyDisplayB,
                         0, 0, false, "60.0 %" },
            ColumnCase { fFilterResLeft, fFilterResRight, 0.7f, resonanceKnob, resonanceDisplay, resonanceKnobB, resonanceDisplayB,
                         0, 0, false, "70.0 %" },
            ColumnCase { fMixLeft, fMixRight, 0.8f, dryWetKnob, dryWetDisplay, dryWetKnobB, dryWetDisplayB,
                         dryWetIcon, dryWetIconB, false, "80.0 %" },
            ColumnCase { fOutputLeft, fOutputRight, 0.25f, outputKnob, outputDisplay, outputKnobB, outputDisplayB,
                         outputIcon, outputIconB, false, "-6.0db" }),
        ::testing::Bool()));

//==============================================================================
TEST_F (EditorRefresh, FeedbackAutomatedTo25PercentShowsOnTheKnobLabelAndIcon)
{
    openEditor();
    hostSetsParameter (fFeedbackLeft, 0.25f);
    pump();

    EXPECT_EQ (knob (feedbackKnob), 0.25);
    EXPECT_EQ (text (feedbackDisplay), "25.0 %");
    EXPECT_EQ (knob (feedbackIcon), 0.25);
    EXPECT_EQ (knob (feedbackIconB), 1.0);
    EXPECT_EQ (text (feedbackDisplayB), "0.0%");

    // Linked, the right line shows the same text and the complement.
    link();
    pump();
    hostSetsParameter (fFeedbackLeft, 0.5f);
    hostSetsParameter (fFeedbackLeft, 0.25f);
    pump();  // 0.25 is still the value shown: nothing to apply
    hostSetsParameter (fFeedbackLeft, 0.75f);
    pump();
    EXPECT_EQ (text (feedbackDisplayB), "75.0 %");
    EXPECT_EQ (knob (feedbackIconB), 0.25);
    EXPECT_EQ (knob (feedbackKnobB), 0.75);
}

TEST_F (EditorRefresh, TheRightLinesOwnRowsComeAfterTheLeftRowsThatMirrorOntoIt)
{
    link();
    openEditor();
    pump();

    hostSetsParameter (fFeedbackLeft, 0.25f);
    hostSetsParameter (fFeedbackRight, 0.6f);
    hostSetsParameter (fFilterFreqLeft, 0.2f);
    hostSetsParameter (fFilterFreqRight, 0.9f);
    pump();

    EXPECT_EQ (knob (feedbackKnobB), (double) 0.6f);
    EXPECT_EQ (text (feedbackDisplayB), "60.0 %");
    EXPECT_EQ (knob (feedbackIconB), 1.0 - (double) 0.6f);
    EXPECT_EQ (knob (frequencyKnobB), (double) 0.9f);
    EXPECT_EQ (text (frequencyDisplayB), "90.0 %");
    EXPECT_EQ (text (frequencyDisplay), "20.0 %");
}

TEST_F (EditorRefresh, OutputTextsInDecibels)
{
    const std::pair<float, const char*> cases[] = {
        { 0.5f, "0.0db" }, { 0.0f, "-12.0db" }, { 1.0f, "12.0db" }, { 0.499f, "-0.0db" }, { 0.75f, "6.0db" },
    };

    openEditor();

    for (auto [value, expected] : cases)
    {
        SCOPED_TRACE (value);
        hostSetsParameter (fOutputRight, value);
        hostSetsParameter (fOutputLeft, value);
        pump();
        EXPECT_EQ (text (outputDisplay), expected);
        EXPECT_EQ (text (outputDisplayB), expected);
    }
}

TEST_F (EditorRefresh, FreeAndSyncedDelayTextsAndArrows)
{
    struct Case
    {
        float sync, triplet, dotted, delay;
        const char* text;
        int arrowPixels;  // of 48
    };

    const Case cases[] = {
        { 0, 0, 0, 0.25f, "250.0ms", 12 },
        { 0, 0, 0, 1.0f, "1000.0ms", 48 },
        { 1, 1, 0, 0.6f, "1/8T", 27 },     // 4/7 of the width
        { 1, 1, 0, 1.0f, "1/1T", 48 },
        { 1, 0, 0, 1.0f, "1/1", 48 },
        { 1, 0, 0, 0.0f, "1/64", 0 },
        { 1, 0, 0, 0.99f, "1/2", 41 },      // the arrow moves in sevenths, the note in sixths
        { 1, 0, 1, 0.4f, "1/16.", 13 },
        { 1, 1, 1, 0.55f, "1/8T.", 20 },    // both flags from the host: "T" then "."
    };

    openEditor();

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.text);
        hostSetsParameter (fDelaySyncButton, c.sync);
        hostSetsParameter (fDelayTripletButton, c.triplet);
        hostSetsParameter (fDelayDotButton, c.dotted);
        hostSetsParameter (fDelayLeft, c.delay);
        hostSetsParameter (fDelayRight, c.delay);
        pump();

        EXPECT_EQ (text (delayDisplay), c.text);
        EXPECT_EQ (text (delayDisplayB), c.text);
        EXPECT_EQ (arrowLength (delayArrow), c.arrowPixels);
        EXPECT_EQ (arrowLength (delayArrowB), c.arrowPixels);
        EXPECT_EQ (visible (delaySyncKnob), c.sync == 1.0f);
        EXPECT_EQ (visible (delayKnob), c.sync != 1.0f);
        EXPECT_EQ (knob (delaySyncKnob), (double) c.delay);
        EXPECT_EQ (knob (delayKnob), (double) c.delay);
    }
}

TEST_F (EditorRefresh, DelayModeLabelTexts)
{
    openEditor();
    hostSetsParameter (fDelayLeft, 0.25f);
    pump();
    EXPECT_EQ (text (delayModeLabel), "D:Free - Free");

    hostSetsParameter (fDelaySyncButton, 1.0f);
    hostSetsParameter (fDelayLeft, 0.6f);
    link();
    pump();
    EXPECT_EQ (text (delayModeLabel), "D:1/8 - 1/8");

    hostSetsParameter (fStereoModeButton, 1.0f);
    hostSetsParameter (fLinkModeButton, 0.0f);
    hostSetsParameter (fDelayDotButton, 1.0f);
    hostSetsParameter (fDelayLeft, 0.4f);
    hostSetsParameter (fDelayRight, 0.7f);
    pump();
    EXPECT_EQ (text (delayModeLabel), "D:1/16. - 1/4.");
}

TEST_F (EditorRefresh, HostTempoAndTimeSignatureAfterABlock)
{
    openEditor();

    TestHost::timeInfo().tempo = 97.5;
    TestHost::timeInfo().timeSigNumerator = 3;
    TestHost::timeInfo().timeSigDenominator = 4;
    hostProcessesBlock();
    pump();
    EXPECT_EQ (text (tempoLabel), "97.50 BPM");
    EXPECT_EQ (text (timeSigLabel), "Sig: 3/4");

    // A host that gives time information without a tempo.
    TestHost::timeInfo().flags &= ~vst::kVstTempoValid;
    hostProcessesBlock();
    pump();
    EXPECT_EQ (text (tempoLabel), "0.00 BPM");
}

TEST_F (EditorRefresh, ANewTempoFromTheAudioThreadArrivesThroughTheMessageLoop)
{
    openEditor();

    TestHost::timeInfo().tempo = 133.333;
    TestHost::timeInfo().timeSigNumerator = 7;
    TestHost::timeInfo().timeSigDenominator = 8;
    hostProcessesBlock (true);

    // The audio thread only flags the change; the processor forwards it from
    // the message thread a moment later.
    pumpFor (100);
    EXPECT_EQ (text (tempoLabel), "133.33 BPM");
    EXPECT_EQ (text (timeSigLabel), "Sig: 7/8");
}

TEST_F (EditorRefresh, LinkSwitchedOnByTheHost)
{
    openEditor();
    hostSetsParameter (fFeedbackLeft, 0.25f);
    hostSetsParameter (fPanLeft, 0.5f);
    pump();
    ASSERT_EQ (text (feedbackDisplay), "25.0 %");

    link();
    pump();

    EXPECT_TRUE (visible (linkModePanel));
    for (int number : rightKnobsAndSwitches)
        EXPECT_FALSE (visible (number)) << "#" << number;
    EXPECT_TRUE (visible (feedbackDisplayB));
    EXPECT_EQ (text (feedbackDisplayB), "25.0%");
    EXPECT_EQ (text (panDisplayB), "50.0%");
    EXPECT_EQ (text (dryWetDisplayB), "50.0%");
    EXPECT_EQ (knob (modeIndicator), 0.5);

    // Ping-pong on and off again: the indicator goes back to link.
    hostSetsParameter (fPingPongModeButton, 1.0f);
    pump();
    EXPECT_EQ (knob (modeIndicator), 1.0);
    hostSetsParameter (fPingPongModeButton, 0.0f);
    pump();
    EXPECT_EQ (knob (modeIndicator), 0.5);

    // And back to stereo.
    hostSetsParameter (fStereoModeButton, 1.0f);
    hostSetsParameter (fLinkModeButton, 0.0f);
    pump();
    EXPECT_FALSE (visible (linkModePanel));
    EXPECT_EQ (knob (modeIndicator), 0.0);
    for (int number : rightKnobsAndSwitches)
        EXPECT_EQ (visible (number), number != delaySyncKnobB) << "#" << number;
}

TEST_F (EditorRefresh, FilterTypeAndPowerFromTheHost)
{
    openEditor();

    hostSetsParameter (fFilterLPButton, 0.0f);
    hostSetsParameter (fFilterHPButton, 1.0f);
    pump();
    EXPECT_FALSE (visible (lowPassShape));
    EXPECT_TRUE (visible (highPassShape));
    EXPECT_TRUE (visible (lowPassShapeB));    // unlinked: the right line keeps its own
    EXPECT_EQ (button (filterHPButtonB), 0.0);

    // A switch value other than exactly 1.0 shows "off" and leaves the shapes alone.
    hostSetsParameter (fFilterLPButton, 0.5f);
    pump();
    EXPECT_EQ (button (filterLPButton), 0.5);
    EXPECT_FALSE (child<juce::Button> (filterLPButton).getToggleState());
    EXPECT_FALSE (visible (lowPassShape));
    EXPECT_TRUE (visible (highPassShape));

    link();
    pump();
    hostSetsParameter (fFilterHPButton, 0.0f);
    hostSetsParameter (fFilterLPButton, 1.0f);
    hostSetsParameter (fFilterOnButton, 0.0f);
    pump();
    EXPECT_TRUE (visible (lowPassShape));
    EXPECT_TRUE (visible (lowPassShapeB));
    EXPECT_FALSE (visible (highPassShapeB));
    EXPECT_EQ (button (filterLPButtonB), 1.0);
    EXPECT_EQ (button (filterOnButtonB), 0.0);
    EXPECT_EQ (parameter (fFilterOnButtonB), 1.0f);
}

TEST_F (EditorRefresh, ValuesOutsideTheRangeShowClampedWhileTheProcessorKeepsThem)
{
    openEditor();
    hostSetsParameter (fFeedbackLeft, 1.7f);
    hostSetsParameter (fPanLeft, -0.2f);
    hostSetsParameter (fOnButton, 0.5f);
    hostSetsParameter (fDelaySyncButton, 1.0f);
    pump();

    EXPECT_EQ (knob (feedbackKnob), 1.0);
    EXPECT_EQ (text (feedbackDisplay), "100.0 %");
    EXPECT_EQ (knob (feedbackIcon), 1.0);
    EXPECT_EQ (text (panDisplay), "0.0 %");
    EXPECT_EQ (parameter (fFeedbackLeft), 1.7f);
    EXPECT_EQ (button (powerButton), 0.5);
    EXPECT_FALSE (child<juce::Button> (powerButton).getToggleState());
    EXPECT_TRUE (visible (delaySyncKnob));

    // 1.0 differs from the 1.7 last applied, so it is applied again.
    hostSetsParameter (fFeedbackLeft, 1.0f);
    child<qGUIDelayKnobTX2> (feedbackKnob).setKnobValue (0.3, false);
    pump();
    EXPECT_EQ (knob (feedbackKnob), 1.0);

    // A sync value that is not exactly 1.0 counts as off.
    hostSetsParameter (fDelaySyncButton, 0.5f);
    pump();
    EXPECT_FALSE (visible (delaySyncKnob));
    EXPECT_TRUE (visible (delayKnob));
}

TEST_F (EditorRefresh, TheFirstRefreshAppliesWhatChangedSinceOpeningAndOnlyThat)
{
    openEditor();
    EXPECT_EQ (text (outputDisplay), "0.0db");
    EXPECT_EQ (text (dryWetDisplayB), "50.0%");

    // Output goes to 0.0 right after opening; the mix is written again unchanged.
    hostSetsParameter (fOutputLeft, 0.0f);
    hostSetsParameter (fMixRight, 0.5f);
    pump();

    EXPECT_EQ (knob (outputKnob), 0.0);
    EXPECT_EQ (knob (outputIcon), 0.0);
    EXPECT_EQ (text (outputDisplay), "-12.0db");
    EXPECT_EQ (text (dryWetDisplayB), "50.0%");   // unchanged: still the opening text
    EXPECT_EQ (text (feedbackDisplay), "0.0%");
}

TEST_F (EditorRefresh, UnchangedParametersLeaveTheControlsAloneButHostTextsAreRewritten)
{
    openEditor();
    hostSetsParameter (fFeedbackLeft, 0.25f);
    pump();

    // Disturb what the controls show; a refresh with nothing changed must not repair it.
    child<qGUIDelayKnobTX2> (feedbackKnob).setKnobValue (0.9, false);
    child<juce::Label> (feedbackDisplay).setText ("x", juce::dontSendNotification);
    child<juce::Label> (dryWetDisplay).setText ("y", juce::dontSendNotification);
    child<juce::Label> (delayModeLabel).setText ("z", juce::dontSendNotification);

    TestHost::timeInfo().tempo = 140.0;
    hostProcessesBlock();
    pump();
    hostProcessesBlock();  // same position again: no further message
    pump();

    EXPECT_EQ (knob (feedbackKnob), 0.9);
    EXPECT_EQ (text (feedbackDisplay), "x");
    EXPECT_EQ (text (dryWetDisplay), "y");
    EXPECT_EQ (text (tempoLabel), "140.00 BPM");
    EXPECT_EQ (text (delayModeLabel), "D:Free - Free");
}

TEST_F (EditorRefresh, AProgramChangeIsAppliedInOneRefresh)
{
    // Program 3 gets its own values, then the host goes back to program 0.
    hostSelectsProgram (3);
    const std::pair<int, float> program3[] = {
        { fStereoModeButton, 0.0f }, { fLinkModeButton, 1.0f }, { fPingPongModeButton, 1.0f },
        { fDelaySyncButton, 1.0f }, { fDelayTripletButton, 1.0f }, { fDelayLeft, 0.6f },
        { fFeedbackLeft, 0.4f }, { fFilterLPButton, 0.0f }, { fFilterHPButton, 1.0f },
        { fMixLeft, 0.2f }, { fOutputLeft, 0.0f }, { fOnButton, 0.0f },
    };
    for (auto [index, value] : program3)
        hostSetsParameter (index, value);
    hostSelectsProgram (0);

    openEditor();
    pump();
    ASSERT_EQ (text (delayModeLabel), "D:Free - Free");

    hostSelectsProgram (3);
    pump();

    EXPECT_EQ (button (powerButton), 0.0);
    EXPECT_TRUE (visible (linkModePanel));
    EXPECT_EQ (knob (modeIndicator), 1.0);
    EXPECT_TRUE (visible (delaySyncKnob));
    EXPECT_FALSE (visible (delaySyncKnobB));
    EXPECT_EQ (text (delayModeLabel), "D:1/8T - 1/8T");
    EXPECT_EQ (text (feedbackDisplay), "40.0 %");
    EXPECT_EQ (text (feedbackDisplayB), "40.0 %");
    EXPECT_EQ (text (dryWetDisplayB), "20.0 %");
    EXPECT_EQ (text (outputDisplayB), "-12.0db");
    EXPECT_TRUE (visible (highPassShape));
    EXPECT_TRUE (visible (highPassShapeB));
    EXPECT_FALSE (visible (lowPassShapeB));
}

TEST_F (EditorRefresh, ALoadedPresetChunkShowsAfterOnePump)
{
    // The chunk comes from another instance whose user set some values.
    std::vector<char> chunk;
    {
        EditorFixture::TearDown();  // keep the recorder clean of the other instance
        TestHost::reset();
        wrapper = std::make_unique<JuceVSTWrapper> (&TestHost::callback, std::make_unique<DemoJuceFilter>());
        hostSetsParameter (fFeedbackRight, 0.35f);
        hostSetsParameter (fDelaySyncButton, 1.0f);
        hostSetsParameter (fDelayDotButton, 1.0f);
        hostSetsParameter (fDelayRight, 0.7f);
        hostSetsParameter (fPanRight, 1.0f);
        chunk = hostGetsChunk (true);
        ASSERT_FALSE (chunk.empty());
        wrapper = std::make_unique<JuceVSTWrapper> (&TestHost::callback, std::make_unique<DemoJuceFilter>());
    }

    openEditor();
    pump();
    hostSetsChunk (chunk, true);
    pump();

    EXPECT_EQ (knob (feedbackKnobB), (double) 0.35f);
    EXPECT_EQ (text (feedbackDisplayB), "35.0 %");
    EXPECT_EQ (text (panDisplayB), "100.0 %");
    EXPECT_EQ (knob (panNeedleB), 1.0);
    EXPECT_EQ (text (delayModeLabel), "D:1/64. - 1/4.");
    EXPECT_TRUE (visible (delaySyncKnobB));
}

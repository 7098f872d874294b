// The user's side: real mouse events on the editor's window (under Xvfb),
// checked against the processor's values and the exact automation calls the
// host receives, in order.
#include "tests/editor/EditorFixture.h"
#include "tests/editor/MouseDriver.h"
#include "controls/qGUIFilmStrip.h"
#include "processor/ValueText.h"
#include <functional>
#include <map>
#include <gmock/gmock.h>

using namespace ParameterTable;
using Sent = TestHost::Automation;

namespace
{
    class EditorMouse : public EditorFixture
    {
    protected:
        void open()
        {
            openEditor();
            pump();
            mouse = std::make_unique<MouseDriver> (*editor);
            pump();
            TestHost::takeAutomation();
        }

        void TearDown() override
        {
            mouse.reset();
            EditorFixture::TearDown();
        }

        /** All parameters back to their defaults, then the given values, as
            the host would set them; the editor catches up with one refresh. */
        void hostState (const Sent& values)
        {
            for (int i = 0; i < numParameters; ++i)
                hostSetsParameter (i, defaults[i]);
            for (auto [index, value] : values)
                hostSetsParameter (index, value);
            pump();
            TestHost::takeAutomation();
        }

        /** Presses a knob at its centre and drags the pointer to `to` (knob coordinates). */
        double turn (int number, juce::Point<int> to)
        {
            auto& k = child<juce::Component> (number);
            mouse->drag (k, { 16, 15 }, { to });
            pump();
            return knob (number);
        }

        void click (int number)
        {
            mouse->click (child<juce::Component> (number));
            pump();
        }

        std::unique_ptr<MouseDriver> mouse;
    };

    // Left-line values that make the copy to the right line visible.
    const Sent leftLine = { { fDelayLeft, 0.25f }, { fFeedbackLeft, 0.3f }, { fPanLeft, 0.4f },
                            { fFilterFreqLeft, 0.6f }, { fFilterResLeft, 0.7f }, { fMixLeft, 0.8f },
                            { fOutputLeft, 0.9f } };

    Sent operator+ (Sent a, const Sent& b)
    {
        a.insert (a.end(), b.begin(), b.end());
        return a;
    }

    /** What linking sends after the mode switches: the left line's values to
        the right line's parameters, then both lines' filter types. */
    Sent copyOfLeftLine (bool sync, float lowPass = 1.0f, float highPass = 0.0f)
    {
        Sent s = { { fDelayRight, 0.25f } };
        if (sync)
            s.push_back ({ fDelayRight, 0.25f });
        return s + Sent { { fFeedbackRight, 0.3f }, { fPanRight, 0.4f }, { fFilterFreqRight, 0.6f },
                          { fFilterResRight, 0.7f }, { fMixRight, 0.8f }, { fOutputRight, 0.9f },
                          { fFilterLPButton, lowPass }, { fFilterHPButton, highPass },
                          { fFilterLPButtonB, lowPass }, { fFilterHPButtonB, highPass } };
    }

    const Sent linked = { { fStereoModeButton, 0.0f }, { fLinkModeButton, 1.0f } };
    const int rightKnobs[] = { delayKnobB, feedbackKnobB, panKnobB, frequencyKnobB, resonanceKnobB,
                               dryWetKnobB, outputKnobB };
}

//==============================================================================
TEST_F (EditorMouse, EveryKnobSetsItsParameterAndWhileLinkedTheLeftOnesAlsoTheRightLine)
{
    struct Row
    {
        int knob;
        int index;
        int linkedIndex;  // -1: none
        bool synced;      // the seven-step delay knobs show only with sync on
    };

    const Row rows[] = {
        { delayKnob, fDelayLeft, fDelayRight, false },       { delaySyncKnob, fDelayLeft, fDelayRight, true },
        { feedbackKnob, fFeedbackLeft, fFeedbackRight, false }, { panKnob, fPanLeft, fPanRight, false },
        { frequencyKnob, fFilterFreqLeft, fFilterFreqRight, false },
        { resonanceKnob, fFilterResLeft, fFilterResRight, false },
        { dryWetKnob, fMixLeft, fMixRight, false },          { outputKnob, fOutputLeft, fOutputRight, false },
        { delayKnobB, fDelayRight, -1, false },              { delaySyncKnobB, fDelayRight, -1, true },
        { feedbackKnobB, fFeedbackRight, -1, false },        { panKnobB, fPanRight, -1, false },
        { frequencyKnobB, fFilterFreqRight, -1, false },     { resonanceKnobB, fFilterResRight, -1, false },
        { dryWetKnobB, fMixRight, -1, false },               { outputKnobB, fOutputRight, -1, false },
    };

    // Pointer positions around the 32 x 31 knob and roughly what they give.
    const juce::Point<int> targets[] = { { 3, 5 } /* 0.30 */, { 0, 15 } /* 0.16 */, { 31, 15 } /* 0.84 */,
                                         { 15, 0 } /* 0.49 */ };

    open();

    for (bool isLinked : { false, true })
    {
        int n = 0;

        for (const auto& row : rows)
        {
            if (isLinked && row.linkedIndex < 0)
                continue;  // hidden under the link panel while linked

            SCOPED_TRACE ("knob #" + std::to_string (row.knob) + (isLinked ? " linked" : " unlinked"));
            Sent state = isLinked ? linked : Sent {};
            if (row.synced)
                state.push_back ({ fDelaySyncButton, 1.0f });
            hostState (state);
            ASSERT_TRUE (visible (row.knob));

            const double v = turn (row.knob, targets[n++ % 4]);
            ASSERT_NE ((float) v, defaults[row.index]);

            Sent expected = { { row.index, (float) v } };
            if (isLinked)
                expected.push_back ({ row.linkedIndex, (float) v });

            EXPECT_EQ (TestHost::takeAutomation(), expected);
            EXPECT_EQ (parameter (row.index), (float) v);
        }
    }
}

TEST_F (EditorMouse, PanTurnedToAbout30PercentWhileLinkedAlsoMovesTheRightPan)
{
    open();
    hostState (linked);

    const double v = turn (panKnob, { 3, 5 });
    EXPECT_NEAR (v, 0.3, 0.01);
    EXPECT_EQ (TestHost::takeAutomation(), (Sent { { fPanLeft, (float) v }, { fPanRight, (float) v } }));

    // The refresh then shows it on both lines, with the space before "%".
    EXPECT_EQ (text (panDisplay), ValueText::fixed (v * 100.0, 1) + " %");
    EXPECT_EQ (text (panDisplayB), text (panDisplay));
    EXPECT_EQ (knob (panNeedleB), v);

    hostState ({});
    const double w = turn (panKnob, { 31, 15 });
    EXPECT_EQ (TestHost::takeAutomation(), (Sent { { fPanLeft, (float) w } }));
}

TEST_F (EditorMouse, HiddenRightKnobsCannotBeTurnedWhileLinked)
{
    open();
    hostState (linked);

    for (int number : rightKnobs)
    {
        auto& hidden = child<juce::Component> (number);
        mouse->drag (*editor, hidden.getBounds().getCentre(), { hidden.getBounds().getTopLeft() });
        pump();
    }

    EXPECT_TRUE (TestHost::automation().empty());
}

//==============================================================================
TEST_F (EditorMouse, EverySwitchSendsItsGroupInOrder)
{
    struct Case
    {
        const char* name;
        Sent state;
        int clicked;
        Sent sent;
        std::function<void()> check;
    };

    const Case cases[] = {
        { "power off", {}, powerButton, { { fOnButton, 0.0f } },
          [&] { EXPECT_EQ (button (powerButton), 0.0); } },

        { "left input", {}, leftSelButton,
          { { fRightSelButton, 0.0f }, { fStereoSelButton, 0.0f }, { fLeftSelButton, 1.0f } },
          [&] { EXPECT_EQ (button (leftSelButton), 1.0); EXPECT_EQ (button (stereoSelButton), 0.0); } },

        { "left input when already on", { { fLeftSelButton, 1.0f }, { fStereoSelButton, 0.0f } }, leftSelButton,
          { { fRightSelButton, 0.0f }, { fStereoSelButton, 0.0f }, { fLeftSelButton, 1.0f } },
          [&] { EXPECT_EQ (button (leftSelButton), 1.0); } },

        { "right input", {}, rightSelButton,
          { { fLeftSelButton, 0.0f }, { fStereoSelButton, 0.0f }, { fRightSelButton, 1.0f } },
          [&] { EXPECT_EQ (button (rightSelButton), 1.0); EXPECT_EQ (button (leftSelButton), 0.0); } },

        { "stereo input when already on", {}, stereoSelButton,
          { { fLeftSelButton, 0.0f }, { fRightSelButton, 0.0f }, { fStereoSelButton, 1.0f } },
          [&] { EXPECT_EQ (button (stereoSelButton), 1.0); } },

        { "filter power, unlinked", {}, filterOnButton, { { fFilterOnButton, 0.0f } },
          [&] { EXPECT_EQ (button (filterOnButtonB), 1.0); } },

        { "filter power, linked", linked, filterOnButton,
          { { fFilterOnButton, 0.0f }, { fFilterOnButtonB, 0.0f } },
          [&] { EXPECT_EQ (button (filterOnButtonB), 0.0); } },  // set by the refresh

        { "high-pass, unlinked", {}, filterHPButton, { { fFilterLPButton, 0.0f }, { fFilterHPButton, 1.0f } },
          [&] {
              EXPECT_FALSE (visible (lowPassShape)); EXPECT_TRUE (visible (highPassShape));
              EXPECT_TRUE (visible (lowPassShapeB)); EXPECT_FALSE (visible (highPassShapeB));
              EXPECT_EQ (button (filterHPButtonB), 0.0);
          } },

        { "high-pass, linked", linked, filterHPButton,
          { { fFilterLPButton, 0.0f }, { fFilterHPButton, 1.0f }, { fFilterLPButtonB, 0.0f }, { fFilterHPButtonB, 1.0f } },
          [&] {
              EXPECT_FALSE (visible (lowPassShapeB)); EXPECT_TRUE (visible (highPassShapeB));
              EXPECT_EQ (button (filterHPButtonB), 1.0); EXPECT_EQ (button (filterLPButtonB), 0.0);
          } },

        { "low-pass when already on", {}, filterLPButton, { { fFilterLPButton, 1.0f }, { fFilterHPButton, 0.0f } },
          [&] { EXPECT_EQ (button (filterLPButton), 1.0); EXPECT_TRUE (visible (lowPassShape)); } },

        { "right filter power", {}, filterOnButtonB, { { fFilterOnButtonB, 0.0f } },
          [&] { EXPECT_EQ (button (filterOnButton), 1.0); } },

        { "right high-pass", {}, filterHPButtonB, { { fFilterLPButtonB, 0.0f }, { fFilterHPButtonB, 1.0f } },
          [&] {
              EXPECT_FALSE (visible (lowPassShapeB)); EXPECT_TRUE (visible (highPassShapeB));
              EXPECT_TRUE (visible (lowPassShape));
          } },

        { "right low-pass after high-pass", { { fFilterLPButtonB, 0.0f }, { fFilterHPButtonB, 1.0f } }, filterLPButtonB,
          { { fFilterLPButtonB, 1.0f }, { fFilterHPButtonB, 0.0f } },
          [&] { EXPECT_TRUE (visible (lowPassShapeB)); EXPECT_FALSE (visible (highPassShapeB)); } },

        { "stereo from link", linked, stereoModeButton,
          { { fLinkModeButton, 0.0f }, { fPingPongModeButton, 0.0f }, { fStereoModeButton, 1.0f } },
          [&] {
              EXPECT_FALSE (visible (linkModePanel)); EXPECT_EQ (knob (modeIndicator), 0.0);
              for (int k : rightKnobs) EXPECT_TRUE (visible (k)) << k;
          } },

        { "stereo when already on", {}, stereoModeButton,
          { { fLinkModeButton, 0.0f }, { fPingPongModeButton, 0.0f }, { fStereoModeButton, 1.0f } },
          [&] { EXPECT_EQ (button (stereoModeButton), 1.0); } },

        { "link from stereo", leftLine, linkModeButton,
          Sent { { fStereoModeButton, 0.0f }, { fLinkModeButton, 1.0f } } + copyOfLeftLine (false),
          [&] {
              EXPECT_TRUE (visible (linkModePanel)); EXPECT_EQ (knob (modeIndicator), 0.5);
              for (int k : rightKnobs) EXPECT_FALSE (visible (k)) << k;
              EXPECT_EQ (text (feedbackDisplayB), "30.0 %");  // the refresh of parameter 15 wrote last
              EXPECT_EQ (text (outputDisplayB), "9.6db");
              EXPECT_EQ (parameter (fFeedbackRight), 0.3f);
          } },

        { "ping-pong from stereo", leftLine, pingPongModeButton,
          Sent { { fStereoModeButton, 0.0f }, { fLinkModeButton, 1.0f }, { fPingPongModeButton, 1.0f } }
              + copyOfLeftLine (false),
          [&] {
              EXPECT_TRUE (visible (linkModePanel)); EXPECT_EQ (knob (modeIndicator), 1.0);
              EXPECT_EQ (button (stereoModeButton), 0.0); EXPECT_EQ (button (linkModeButton), 1.0);
          } },

        { "ping-pong off again", leftLine + linked + Sent { { fPingPongModeButton, 1.0f } }, pingPongModeButton,
          Sent { { fStereoModeButton, 0.0f }, { fLinkModeButton, 1.0f }, { fPingPongModeButton, 0.0f } }
              + copyOfLeftLine (false),
          [&] {
              EXPECT_EQ (knob (modeIndicator), 0.5); EXPECT_EQ (button (linkModeButton), 1.0);
              EXPECT_TRUE (visible (linkModePanel));
          } },

        { "link while ping-pong", leftLine + linked + Sent { { fPingPongModeButton, 1.0f } }, linkModeButton,
          Sent { { fStereoModeButton, 0.0f }, { fLinkModeButton, 1.0f } } + copyOfLeftLine (false),
          [&] { EXPECT_EQ (knob (modeIndicator), 1.0); EXPECT_EQ (button (pingPongModeButton), 1.0); } },

        { "link with sync on sends the right delay twice", leftLine + Sent { { fDelaySyncButton, 1.0f } }, linkModeButton,
          Sent { { fStereoModeButton, 0.0f }, { fLinkModeButton, 1.0f } } + copyOfLeftLine (true),
          [&] { EXPECT_FALSE (visible (delaySyncKnobB)); EXPECT_EQ (text (delayModeLabel), "D:1/32 - 1/32"); } },

        { "link copies the left high-pass", leftLine + Sent { { fFilterLPButton, 0.0f }, { fFilterHPButton, 1.0f } },
          linkModeButton,
          Sent { { fStereoModeButton, 0.0f }, { fLinkModeButton, 1.0f } } + copyOfLeftLine (false, 0.0f, 1.0f),
          [&] { EXPECT_FALSE (visible (lowPassShapeB)); EXPECT_TRUE (visible (highPassShapeB)); } },

        { "sync on", {}, delaySyncButton, { { fDelaySyncButton, 1.0f } },
          [&] {
              EXPECT_TRUE (visible (delaySyncKnob)); EXPECT_FALSE (visible (delayKnob));
              EXPECT_EQ (text (delayDisplay), "1/64");
          } },

        { "dotted while triplet", { { fDelayTripletButton, 1.0f } }, delayDotButton,
          { { fDelayDotButton, 1.0f }, { fDelayTripletButton, 0.0f } },
          [&] { EXPECT_EQ (button (delayTripletButton), 0.0); EXPECT_EQ (button (delayDotButton), 1.0); } },

        { "triplet when already on", { { fDelayTripletButton, 1.0f } }, delayTripletButton,
          { { fDelayTripletButton, 0.0f }, { fDelayDotButton, 0.0f } },
          [&] { EXPECT_EQ (button (delayTripletButton), 0.0); } },

        { "triplet while dotted", { { fDelayDotButton, 1.0f }, { fDelaySyncButton, 1.0f } }, delayTripletButton,
          { { fDelayTripletButton, 1.0f }, { fDelayDotButton, 0.0f } },
          [&] { EXPECT_EQ (button (delayDotButton), 0.0); EXPECT_EQ (text (delayDisplay), "1/64T"); } },
    };

    open();

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        hostState (c.state);
        click (c.clicked);

        // Only the gesture reaches the host: the refresh that follows sends nothing.
        EXPECT_EQ (TestHost::takeAutomation(), c.sent);
        // The processor holds the last value sent for each parameter.
        std::map<int, float> last;
        for (auto [index, value] : c.sent)
            last[index] = value;
        for (auto [index, value] : last)
            EXPECT_EQ (parameter (index), value) << "parameter " << index;
        c.check();
    }
}

TEST_F (EditorMouse, TheLogoShowsAndHidesTheInformationPanel)
{
    open();
    ASSERT_FALSE (visible (aboutPanel));

    click (infoHotSpot);
    EXPECT_TRUE (visible (aboutPanel));
    EXPECT_TRUE (visible (versionLabel));

    click (infoHotSpot);
    EXPECT_FALSE (visible (aboutPanel));
    EXPECT_FALSE (visible (versionLabel));

    click (infoHotSpot);
    click (aboutPanel);
    EXPECT_FALSE (visible (aboutPanel));
    EXPECT_FALSE (visible (versionLabel));

    EXPECT_TRUE (TestHost::automation().empty());
}

TEST_F (EditorMouse, DraggingTheModeIndicatorDoesNothing)
{
    open();
    auto& indicator = child<juce::Component> (modeIndicator);
    mouse->drag (indicator, { 5, 5 }, { { 50, 15 }, { 57, 2 } });
    pump();

    EXPECT_EQ (knob (modeIndicator), 0.0);
    EXPECT_TRUE (TestHost::automation().empty());
}

TEST_F (EditorMouse, ValueLabelsCannotBeEditedByClickOrDoubleClick)
{
    open();
    auto& label = child<juce::Label> (feedbackDisplay);

    mouse->click (label);
    pump();
    EXPECT_FALSE (label.isBeingEdited());

    mouse->doubleClick (label);
    pump();
    EXPECT_FALSE (label.isBeingEdited());
    EXPECT_EQ (label.getText(), "0.0%");
    EXPECT_TRUE (TestHost::automation().empty());
}

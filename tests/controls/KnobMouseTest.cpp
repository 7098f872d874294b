// Knobs and displays under real pointer events (X server -> JUCE peer ->
// MouseInputSource -> the control).

#include <gtest/gtest.h>

#include "controls/qGUIDelay3WayModeKnobTX.h"
#include "controls/qGUIDelayFeedbackGuiTXL.h"
#include "controls/qGUIDelayFeedbackGuiTXR.h"
#include "controls/qGUIDelayKnobTX2.h"
#include "controls/qGUIDelayKnobTX7TX.h"
#include "controls/qGUIDelayOutputTX.h"
#include "controls/qGUIDelayWetDryTXL.h"
#include "controls/qGUIDelayWetDryTXR.h"
#include "controls/qGUIbalanceknob2LTX.h"
#include "controls/qGUIbalanceknob2RTX.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/controls/RealMouse.h"

using ControlsTest::pumpPending;

namespace
{
    /** The real knob, noting while it is inside one of its mouse handlers. */
    struct ObservedKnob : qGUIDelayKnobTX2
    {
        void mouseDown (const juce::MouseEvent& e) override { insideEvent = true; qGUIDelayKnobTX2::mouseDown (e); insideEvent = false; }
        void mouseDrag (const juce::MouseEvent& e) override { insideEvent = true; qGUIDelayKnobTX2::mouseDrag (e); insideEvent = false; }
        void mouseUp (const juce::MouseEvent& e) override   { insideEvent = true; qGUIDelayKnobTX2::mouseUp (e); insideEvent = false; }
        bool insideEvent = false;
    };

    /** Counts listener calls and remembers what the knob reported then. */
    struct SliderSpy : juce::Slider::Listener
    {
        void sliderValueChanged (juce::Slider* s) override
        {
            ++changes;
            if (auto* strip = dynamic_cast<qGUIFilmStrip*> (s))
                seen = strip->getKnobValue();
            if (auto* observed = dynamic_cast<ObservedKnob*> (s))
                calledInsideEvent = calledInsideEvent || observed->insideEvent;
        }
        void sliderDragStarted (juce::Slider*) override { ++dragStarts; }
        void sliderDragEnded (juce::Slider*) override   { ++dragEnds; }

        int changes = 0, dragStarts = 0, dragEnds = 0;
        double seen = -1.0;
        bool calledInsideEvent = false;
    };

    class KnobUnderMouse : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            ASSERT_TRUE (mouse.show (knob)) << mouse.problem();
            knob.addListener (&spy);
            pumpPending();
            spy = {};
        }
        void TearDown() override { knob.removeListener (&spy); }

        ObservedKnob knob;
        SliderSpy spy;
        RealMouse mouse;
    };

    struct DragPoint { int x, y; double value; };

    // Pointer positions on the 32 x 31 knob, whose centre of rotation is
    // (15.5, 15.5); the dead zone below the centre holds 0 on its left half
    // and 1 on its right half.
    const DragPoint pressTable[] = {
        { 15, 0, 0.492783 }, { 16, 0, 0.507217 }, { 0, 0, 0.324219 }, { 31, 0, 0.675781 },
        { 0, 15, 0.155655 }, { 31, 15, 0.844345 },
        { 15, 30, 0.0 }, { 0, 30, 0.0 }, { 16, 30, 1.0 }, { 31, 30, 1.0 },
    };
}

TEST_F (KnobUnderMouse, APressWithoutMovementSetsTheValueFromThePointerAngle)
{
    for (const auto& p : pressTable)
    {
        SCOPED_TRACE (juce::String (p.x) + ", " + juce::String (p.y));
        knob.setKnobValue (p.value < 0.5 ? 0.75 : 0.25, false);
        mouse.clickAt (p.x, p.y);
        EXPECT_NEAR (knob.getKnobValue(), p.value, 1e-5);
        EXPECT_EQ (knob.getFrameIndex(), (int) (knob.getKnobValue() * 63.0));
    }
}

TEST_F (KnobUnderMouse, DraggingFollowsThePointerAngleEvenOutsideTheKnob)
{
    mouse.moveTo (0, 30);
    mouse.press();
    EXPECT_EQ (knob.getKnobValue(), 0.0);

    mouse.moveTo (15, 0);
    EXPECT_NEAR (knob.getKnobValue(), 0.492783, 1e-5);

    // Far outside on the right, level with the centre row just below it:
    // the angle alone counts, not the distance.
    mouse.moveTo (300, 16);
    const double u = 300 - 15.5, v = (31 - 16) - 15.5;
    const double a = std::atan (u / (v + 1e-8)) * 57.295780490442965 + 360.0;
    EXPECT_NEAR (knob.getKnobValue(), (a - 52.0) / 256.0, 1e-9);

    // Well above the knob, slightly left of its centre.
    mouse.moveTo (10, -150);
    EXPECT_NEAR (knob.getKnobValue(), (std::atan ((10 - 15.5) / (31 + 150 - 15.5 + 1e-8)) * 57.295780490442965 + 180.0 - 52.0) / 256.0, 1e-9);

    // Into the dead zone on the right: the maximum.
    mouse.moveTo (20, 200);
    EXPECT_EQ (knob.getKnobValue(), 1.0);
    mouse.release();
    EXPECT_EQ (knob.getKnobValue(), 1.0);
}

TEST_F (KnobUnderMouse, ListenersHearOnlyLaterFromTheMessageLoopAndReadTheNewValue)
{
    mouse.moveTo (0, 0);
    mouse.press();
    // The drag-start message is synchronous; the value message is not.
    EXPECT_EQ (spy.dragStarts, 1);
    mouse.moveTo (31, 0);
    mouse.release();
    EXPECT_EQ (spy.dragEnds, 1);

    ASSERT_TRUE (ControlsTest::pumpUntil ([this] { return spy.changes > 0; }));
    pumpPending();
    EXPECT_FALSE (spy.calledInsideEvent);
    EXPECT_NEAR (spy.seen, 0.675781, 1e-5);
    EXPECT_NEAR (knob.getKnobValue(), 0.675781, 1e-5);
}

TEST_F (KnobUnderMouse, ADoubleClickDoesNotResetTheKnob)
{
    knob.setKnobValue (0.9, false);
    mouse.clickAt (0, 15);
    mouse.clickAt (0, 15);
    ASSERT_EQ (mouse.doubleClicks(), 1);
    EXPECT_NEAR (knob.getKnobValue(), 0.155655, 1e-5);
}

TEST_F (KnobUnderMouse, TheWheelLeavesTheValueAlone)
{
    knob.setKnobValue (0.4, false);
    mouse.moveTo (16, 15);
    mouse.wheel (true);
    mouse.wheel (false);
    mouse.wheel (false);
    ASSERT_EQ (mouse.wheels(), 3);
    pumpPending();
    EXPECT_EQ (knob.getKnobValue(), 0.4);
    EXPECT_EQ (spy.changes, 0);
}

TEST (SevenStepKnobUnderMouse, ShowsTheDetentOfThePointerAngle)
{
    qGUIDelayKnobTX7TX knob;
    RealMouse mouse;
    ASSERT_TRUE (mouse.show (knob)) << mouse.problem();

    mouse.clickAt (16, 0);
    EXPECT_NEAR (knob.getKnobValue(), 0.507217, 1e-5);
    EXPECT_EQ (knob.getFrameIndex(), 3);
    mouse.clickAt (31, 30);
    EXPECT_EQ (knob.getFrameIndex(), 6);
}

//==============================================================================
namespace
{
    template <typename Display>
    void expectDisplayIgnoresThePointer()
    {
        Display display;
        SliderSpy spy;
        display.addListener (&spy);
        RealMouse mouse;
        ASSERT_TRUE (mouse.show (display)) << mouse.problem();

        display.setKnobValue (0.25);
        const int frame = display.getFrameIndex();
        const auto before = ControlsTest::snapshot (display);

        mouse.moveTo (2, display.getHeight() - 2);
        mouse.press();
        mouse.moveTo (display.getWidth() - 2, 2);
        mouse.moveTo (display.getWidth() + 40, display.getHeight() / 2);
        mouse.release();
        mouse.clickAt (display.getWidth() - 3, display.getHeight() - 3);
        pumpPending();

        EXPECT_EQ (display.getKnobValue(), 0.25);
        EXPECT_EQ (display.getFrameIndex(), frame);
        EXPECT_EQ (ControlsTest::maxDifference (before, ControlsTest::snapshot (display)), 0);
        EXPECT_EQ (spy.changes, 0);
        EXPECT_GE (mouse.drags(), 2);   // the drags did arrive
        display.removeListener (&spy);
    }
}

TEST (DisplayUnderMouse, PanNeedlesIgnoreDrags)
{
    expectDisplayIgnoresThePointer<qGUIbalanceknob2LTX>();
    expectDisplayIgnoresThePointer<qGUIbalanceknob2RTX>();
}

TEST (DisplayUnderMouse, IconsIgnoreDrags)
{
    expectDisplayIgnoresThePointer<qGUIDelayFeedbackGuiTXL>();
    expectDisplayIgnoresThePointer<qGUIDelayFeedbackGuiTXR>();
    expectDisplayIgnoresThePointer<qGUIDelayWetDryTXL>();
    expectDisplayIgnoresThePointer<qGUIDelayWetDryTXR>();
    expectDisplayIgnoresThePointer<qGUIDelayOutputTX>();
}

TEST (DisplayUnderMouse, ModeIndicatorIgnoresDrags)
{
    expectDisplayIgnoresThePointer<qGUIDelay3WayModeKnobTX>();
}

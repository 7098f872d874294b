// Image switches, the information panel and the logo hot spot under real
// pointer events.

#include <gtest/gtest.h>

#include "controls/qGUIDelayDotted.h"
#include "controls/qGUIDelayFilterHP.h"
#include "controls/qGUIDelayFilterLP.h"
#include "controls/qGUIDelayFilterPower.h"
#include "controls/qGUIDelayInputSelect.h"
#include "controls/qGUIDelayInputStereoSelectTX.h"
#include "controls/qGUIDelayLinkMode.h"
#include "controls/qGUIDelayPingPongMode.h"
#include "controls/qGUIDelayPower.h"
#include "controls/qGUIDelayStereoMode.h"
#include "controls/qGUIDelaySync.h"
#include "controls/qGUIDelayTXVersionInfo.h"
#include "controls/qGUIDelayTriplet.h"
#include "controls/qGUIInfoButton.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/controls/RealMouse.h"

using ControlsTest::maxDifference;
using ControlsTest::snapshot;

namespace
{
    /** Records each click and the switch's value at that moment. */
    struct ClickSpy : juce::Button::Listener
    {
        void buttonClicked (juce::Button* b) override
        {
            ++clicks;
            if (auto* s = dynamic_cast<qGUIImageSwitch*> (b))
                seen.push_back (s->getButtonValue());
        }
        int clicks = 0;
        std::vector<double> seen;
    };

    template <typename Switch>
    class SwitchUnderMouse : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            ASSERT_TRUE (mouse.show (button)) << mouse.problem();
            button.addListener (&spy);
            strip = button.getStripImageForTest();
        }
        void TearDown() override { button.removeListener (&spy); }

        juce::Image frame (int index) const
        {
            return ControlsTest::frameOf (strip, index, button.getFrameHeight());
        }
        int centreX() const { return button.getWidth() / 2; }
        int centreY() const { return button.getHeight() / 2; }

        struct Testable : Switch
        {
            juce::Image getStripImageForTest() const { return this->imageOff; }
        };

        Testable button;
        ClickSpy spy;
        RealMouse mouse;
        juce::Image strip;
    };

    using Switches = ::testing::Types<qGUIDelayPower, qGUIDelaySync, qGUIDelayDotted, qGUIDelayTriplet,
                                      qGUIDelayFilterPower, qGUIDelayFilterLP, qGUIDelayFilterHP,
                                      qGUIDelayStereoMode, qGUIDelayLinkMode, qGUIDelayPingPongMode,
                                      qGUIDelayInputSelect, qGUIDelayInputStereoSelectTX>;
    TYPED_TEST_SUITE (SwitchUnderMouse, Switches);
}

TYPED_TEST (SwitchUnderMouse, ACompletedClickFlipsItAndTheListenerSeesTheNewValue)
{
    ASSERT_TRUE (this->strip.isValid());
    EXPECT_EQ (this->button.getButtonValue(), 0.0);
    EXPECT_LE (maxDifference (snapshot (this->button), this->frame (0)), 1);

    this->mouse.clickAt (this->centreX(), this->centreY());
    EXPECT_EQ (this->button.getButtonValue(), 1.0);
    EXPECT_TRUE (this->button.getToggleState());
    EXPECT_EQ (this->spy.seen, std::vector<double> { 1.0 });
    EXPECT_LE (maxDifference (snapshot (this->button), this->frame (1)), 1);

    this->mouse.clickAt (1, 1);
    EXPECT_EQ (this->button.getButtonValue(), 0.0);
    EXPECT_FALSE (this->button.getToggleState());
    EXPECT_EQ (this->spy.seen, (std::vector<double> { 1.0, 0.0 }));
    EXPECT_LE (maxDifference (snapshot (this->button), this->frame (0)), 1);
}

TYPED_TEST (SwitchUnderMouse, HoverAndPressChangeNothingUntilTheRelease)
{
    this->mouse.moveTo (this->centreX(), this->centreY());
    this->mouse.press();
    EXPECT_EQ (this->button.getButtonValue(), 0.0);
    EXPECT_LE (maxDifference (snapshot (this->button), this->frame (0)), 1);
    EXPECT_EQ (this->spy.clicks, 0);

    this->mouse.release();
    EXPECT_EQ (this->button.getButtonValue(), 1.0);

    // Hovering over the switch that is now on keeps the on picture.
    this->mouse.moveTo (0, 0);
    EXPECT_LE (maxDifference (snapshot (this->button), this->frame (1)), 1);
}

TYPED_TEST (SwitchUnderMouse, ReleasingOutsideCancelsTheClick)
{
    this->mouse.moveTo (this->centreX(), this->centreY());
    this->mouse.press();
    this->mouse.moveTo (this->button.getWidth() + 25, this->centreY());
    this->mouse.release();
    EXPECT_EQ (this->button.getButtonValue(), 0.0);
    EXPECT_EQ (this->spy.clicks, 0);
}

TYPED_TEST (SwitchUnderMouse, SettingTheValueNotifiesNobodyAndOnlyExactlyOneIsOn)
{
    this->button.setButtonValue (1.0);
    EXPECT_TRUE (this->button.getToggleState());
    EXPECT_LE (maxDifference (snapshot (this->button), this->frame (1)), 1);

    this->button.setButtonValue (0.5);
    EXPECT_EQ (this->button.getButtonValue(), 0.5);
    EXPECT_FALSE (this->button.getToggleState());
    EXPECT_LE (maxDifference (snapshot (this->button), this->frame (0)), 1);
    ControlsTest::pumpPending();
    EXPECT_EQ (this->spy.clicks, 0);

    // Any value but 0.0 counts as on for the flip: 0.5 goes to 0.0 first.
    this->mouse.clickAt (this->centreX(), this->centreY());
    EXPECT_EQ (this->button.getButtonValue(), 0.0);
    this->mouse.clickAt (this->centreX(), this->centreY());
    EXPECT_EQ (this->button.getButtonValue(), 1.0);
    EXPECT_EQ (this->spy.seen, (std::vector<double> { 0.0, 1.0 }));
}

TEST (InputSelectUnderMouse, IsInvisibleWhileOffButStillClickable)
{
    qGUIDelayInputSelect input;
    RealMouse mouse;
    ASSERT_TRUE (mouse.show (input)) << mouse.problem();

    EXPECT_TRUE (ControlsTest::fullyTransparent (snapshot (input)));
    mouse.clickAt (2, 17);
    EXPECT_EQ (input.getButtonValue(), 1.0);
    EXPECT_FALSE (ControlsTest::fullyTransparent (snapshot (input)));
}

//==============================================================================
namespace
{
    struct PlainSpy : juce::Button::Listener
    {
        void buttonClicked (juce::Button*) override { ++clicks; }
        int clicks = 0;
    };

    template <typename Plain>
    void expectClicksReportedAndNothingElse (Plain& button)
    {
        PlainSpy spy;
        button.addListener (&spy);
        RealMouse mouse;
        ASSERT_TRUE (mouse.show (button)) << mouse.problem();
        const auto before = snapshot (button);

        mouse.clickAt (button.getWidth() / 2, button.getHeight() / 2);
        mouse.clickAt (3, 3);
        EXPECT_EQ (spy.clicks, 2);
        EXPECT_FALSE (button.getToggleState());
        EXPECT_EQ (maxDifference (before, snapshot (button)), 0);
        button.removeListener (&spy);
    }
}

TEST (InfoButtonUnderMouse, ReportsClicksAndDrawsNothing)
{
    qGUIInfoButton hotSpot;
    EXPECT_EQ (hotSpot.getBounds(), juce::Rectangle<int> (0, 0, 130, 55));
    EXPECT_TRUE (ControlsTest::fullyTransparent (snapshot (hotSpot)));
    expectClicksReportedAndNothingElse (hotSpot);
}

TEST (InformationPanelUnderMouse, ReportsClicksAndAlwaysShowsThePanel)
{
    qGUIDelayTXVersionInfo panel;
    EXPECT_EQ (panel.getBounds(), juce::Rectangle<int> (0, 0, 502, 249));
    EXPECT_EQ (maxDifference (snapshot (panel), EmbeddedImages::imgAboutPanel.getImage()), 0);
    expectClicksReportedAndNothingElse (panel);
}

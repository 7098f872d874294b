// Film-strip knobs and displays without a mouse: value clamping, frame
// choice, drawing, and how listeners are told.

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

#include <limits>

namespace
{
    /** One of the ten classes, made and set through its own interface. */
    struct Kind
    {
        const char* name;
        std::function<std::unique_ptr<qGUIFilmStrip>()> make;
        std::function<void (qGUIFilmStrip&, double)> set;
        int width, height, frames;
        const EmbeddedImage* strip;
        bool whiteBackground;
    };

    template <typename T>
    Kind knob (const char* name, int w, int h, int frames, const EmbeddedImage& strip)
    {
        return { name, [] { return std::make_unique<T>(); },
                 [] (qGUIFilmStrip& c, double v) { static_cast<T&> (c).setKnobValue (v, false); },
                 w, h, frames, &strip, false };
    }

    template <typename T>
    Kind display (const char* name, int w, int h, int frames, const EmbeddedImage& strip, bool white = false)
    {
        return { name, [] { return std::make_unique<T>(); },
                 [] (qGUIFilmStrip& c, double v) { static_cast<T&> (c).setKnobValue (v); },
                 w, h, frames, &strip, white };
    }

    using namespace EmbeddedImages;
    const Kind kinds[] = {
        knob<qGUIDelayKnobTX2> ("DelayKnobTX2", 32, 31, 64, imgKnobStrip),
        knob<qGUIDelayKnobTX7TX> ("DelayKnobTX7TX", 32, 31, 7, imgKnob7Strip),
        display<qGUIbalanceknob2LTX> ("PanL", 70, 37, 64, imgPanStripL),
        display<qGUIbalanceknob2RTX> ("PanR", 70, 37, 65, imgPanStripR),
        display<qGUIDelay3WayModeKnobTX> ("Mode", 58, 19, 3, imgModeStrip, true),
        display<qGUIDelayFeedbackGuiTXL> ("FeedbackL", 60, 60, 64, imgFeedbackStripL),
        display<qGUIDelayFeedbackGuiTXR> ("FeedbackR", 60, 60, 64, imgFeedbackStripR),
        display<qGUIDelayWetDryTXL> ("WetDryL", 60, 60, 64, imgWetDryStripL),
        display<qGUIDelayWetDryTXR> ("WetDryR", 60, 60, 64, imgWetDryStripR),
        display<qGUIDelayOutputTX> ("Output", 60, 61, 52, imgOutputStrip),
    };

    const Kind& kind (const char* name)
    {
        for (const auto& k : kinds)
            if (std::string (k.name) == name)
                return k;
        throw std::logic_error (name);
    }

    struct FrameCase
    {
        const char* kind;
        double value;
        int frame;
        double stored;
    };

    const double nan = std::numeric_limits<double>::quiet_NaN();

    // The frame is (value - min) / (max - min) * lastFrame truncated, so the
    // last frame shows only at the maximum; out-of-range values are clamped.
    const FrameCase frameCases[] = {
        { "DelayKnobTX2", 0.0, 0, 0.0 },        { "DelayKnobTX2", 0.5, 31, 0.5 },
        { "DelayKnobTX2", 0.99, 62, 0.99 },     { "DelayKnobTX2", 1.0, 63, 1.0 },
        { "DelayKnobTX2", 1.7, 63, 1.0 },       { "DelayKnobTX2", -0.2, 0, 0.0 },
        { "DelayKnobTX2", nan, 0, 0.0 },
        { "DelayKnobTX7TX", 0.5, 3, 0.5 },      { "DelayKnobTX7TX", 0.99, 5, 0.99 },
        { "DelayKnobTX7TX", 1.0, 6, 1.0 },
        { "PanL", 0.5, 31, 0.5 },               { "PanL", 1.0, 63, 1.0 },
        { "PanR", 0.5, 32, 0.5 },               { "PanR", 0.25, 16, 0.25 },
        { "PanR", 1.0, 64, 1.0 },               { "PanR", 2.0, 64, 1.0 },
        { "Mode", 0.0, 0, 0.0 },                { "Mode", 0.5, 1, 0.5 },
        { "Mode", 0.99, 1, 0.99 },              { "Mode", 1.0, 2, 1.0 },
        { "Mode", -1.0, 0, 0.0 },
        { "FeedbackR", 0.5, 31, 0.5 },          { "WetDryL", 1.0, 63, 1.0 },
        { "Output", 0.5, 25, 0.5 },             { "Output", 0.99, 50, 0.99 },
        { "Output", 1.0, 51, 1.0 },
    };

    void PrintTo (const Kind& k, std::ostream* os)      { *os << k.name; }
    void PrintTo (const FrameCase& c, std::ostream* os) { *os << c.kind << " at " << c.value; }

    class FilmStripFrames : public ::testing::TestWithParam<FrameCase> {};
    class EveryFilmStrip : public ::testing::TestWithParam<Kind> {};

    struct Spy : juce::Slider::Listener
    {
        void sliderValueChanged (juce::Slider* s) override
        {
            ++calls;
            seen = static_cast<qGUIFilmStrip*> (s)->getKnobValue();
        }
        int calls = 0;
        double seen = -1.0;
    };
}

TEST_P (FilmStripFrames, ClampsTheValueAndTruncatesToAFrame)
{
    const auto& c = GetParam();
    const auto& k = kind (c.kind);
    auto control = k.make();
    control->setSize (k.width, k.height);

    k.set (*control, 0.3);   // start elsewhere, so a stale frame would show
    k.set (*control, c.value);
    EXPECT_EQ (control->getFrameIndex(), c.frame);
    EXPECT_EQ (control->getKnobValue(), c.stored);
}

INSTANTIATE_TEST_SUITE_P (Table, FilmStripFrames, ::testing::ValuesIn (frameCases));

TEST_P (EveryFilmStrip, StartsAtFrameZeroWithItsSizeAndDrawsTheChosenFrameTwice)
{
    const auto& k = GetParam();
    auto control = k.make();
    EXPECT_EQ (control->getWidth(), k.width);
    EXPECT_EQ (control->getHeight(), k.height);
    EXPECT_EQ (control->getFrameCount(), k.frames);
    EXPECT_EQ (control->getKnobValue(), 0.0);
    EXPECT_EQ (control->getFrameIndex(), 0);

    const auto strip = k.strip->getImage();
    ASSERT_TRUE (strip.isValid());
    const auto under = k.whiteBackground ? juce::Colours::white : juce::Colours::transparentBlack;

    for (double v : { 0.0, 0.5, 1.0 })
    {
        SCOPED_TRACE (v);
        k.set (*control, v);
        const auto expected = ControlsTest::blendedTwice (
            ControlsTest::frameOf (strip, control->getFrameIndex(), k.height), under);
        EXPECT_LE (ControlsTest::maxDifference (ControlsTest::snapshot (*control), expected), 8);
    }
}

INSTANTIATE_TEST_SUITE_P (AllTen, EveryFilmStrip, ::testing::ValuesIn (kinds),
                          [] (const auto& info) { return std::string (info.param.name); });

TEST (FilmStrip, SoftEdgesComeOutDenserThanInThePicture)
{
    // The double blit is visible: a half-transparent pixel of the strip is
    // drawn more opaque than stored.
    qGUIDelayKnobTX2 knob;
    const auto frame = ControlsTest::frameOf (knob.getStripImage(), 0, 31);
    const auto drawn = ControlsTest::snapshot (knob);
    int checked = 0;
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 32; ++x)
        {
            const int a = frame.getPixelAt (x, y).getAlpha();
            if (a > 60 && a < 180)
            {
                EXPECT_GT ((int) drawn.getPixelAt (x, y).getAlpha(), a + 20);
                ++checked;
            }
        }
    EXPECT_GT (checked, 10);
}

TEST (FilmStrip, TheSlidersOwnValueNeverMovesTheControl)
{
    qGUIDelayKnobTX2 knob;
    knob.setKnobValue (0.25, false);
    knob.juce::Slider::setValue (0.9, juce::dontSendNotification);
    EXPECT_EQ (knob.getKnobValue(), 0.25);
    EXPECT_EQ (knob.getFrameIndex(), 15);
}

TEST (FilmStrip, ANewRangeKeepsValueAndFrameUntilTheNextValue)
{
    qGUIDelayKnobTX2 knob;
    knob.setKnobValue (0.5, false);
    knob.setKnobRange (0.0, 2.0, 0.01);
    EXPECT_EQ (knob.getKnobValue(), 0.5);
    EXPECT_EQ (knob.getFrameIndex(), 31);
    EXPECT_EQ (knob.getMaximum(), 2.0);
    EXPECT_EQ (knob.getInterval(), 0.01);

    knob.setKnobValue (1.0, false);
    EXPECT_EQ (knob.getFrameIndex(), 31);
    knob.setKnobValue (1.5, false);
    EXPECT_EQ (knob.getFrameIndex(), 47);
}

TEST (FilmStripNotification, WithoutNotifyNobodyIsEverTold)
{
    qGUIDelayKnobTX2 knob;
    Spy spy;
    knob.addListener (&spy);
    knob.setKnobValue (0.3, false);
    knob.setKnobValue (0.8, false);
    ControlsTest::pumpPending();
    EXPECT_EQ (spy.calls, 0);
    knob.removeListener (&spy);
}

TEST (FilmStripNotification, WithNotifyTheListenerHearsOnceLaterAndReadsTheNewValue)
{
    qGUIDelayKnobTX2 knob;
    Spy spy;
    knob.addListener (&spy);

    knob.setKnobValue (0.3, true);
    knob.setKnobValue (0.6, true);
    EXPECT_EQ (spy.calls, 0);   // never from inside the call
    ASSERT_TRUE (ControlsTest::pumpUntil ([&] { return spy.calls > 0; }));
    ControlsTest::pumpPending();
    EXPECT_EQ (spy.calls, 1);
    EXPECT_EQ (spy.seen, 0.6);

    // The Slider's copy did not change, so there is nothing to tell.
    knob.setKnobValue (0.6, true);
    ControlsTest::pumpPending();
    EXPECT_EQ (spy.calls, 1);

    // Out of range: the control clamps, the Slider clamps its own copy.
    knob.setKnobValue (5.0, true);
    ASSERT_TRUE (ControlsTest::pumpUntil ([&] { return spy.calls > 1; }));
    EXPECT_EQ (spy.seen, 1.0);
    knob.removeListener (&spy);
}

TEST (FilmStripImages, ControlsShareOneDecodedStripThatOutlivesEachOfThem)
{
    auto first = std::make_unique<qGUIDelayKnobTX2>();
    qGUIDelayKnobTX2 second;
    EXPECT_EQ (first->getStripImage().getPixelData(), second.getStripImage().getPixelData());

    first.reset();
    second.setKnobValue (1.0, false);
    const auto expected = ControlsTest::blendedTwice (
        ControlsTest::frameOf (EmbeddedImages::imgKnobStrip.getImage(), 63, 31));
    EXPECT_LE (ControlsTest::maxDifference (ControlsTest::snapshot (second), expected), 8);
}

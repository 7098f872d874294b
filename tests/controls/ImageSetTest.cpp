// The embedded pictures: file format, sizes, frame layout, opacity, and that
// the animated strips run the way the controls read them.

#include <gtest/gtest.h>

#include "controls/EmbeddedImages.h"
#include "tests/controls/ControlsTestSupport.h"

#include <cmath>

namespace
{
    enum class Opacity { opaque, offFrameTransparent, any };

    struct Expected
    {
        const EmbeddedImage* image;
        const char* name;
        int width, frameHeight, frames;
        Opacity opacity;
    };

    using namespace EmbeddedImages;
    const Expected imageSet[] = {
        { &imgBackground,        "imgBackground",        525, 312,  1, Opacity::opaque },
        { &imgLinkModePanel,     "imgLinkModePanel",     421, 112,  1, Opacity::opaque },
        { &imgAboutPanel,        "imgAboutPanel",        502, 249,  1, Opacity::opaque },
        { &imgKnobStrip,         "imgKnobStrip",          32,  31, 64, Opacity::any },
        { &imgKnob7Strip,        "imgKnob7Strip",         32,  31,  7, Opacity::any },
        { &imgPanStripL,         "imgPanStripL",          70,  37, 64, Opacity::any },
        { &imgPanStripR,         "imgPanStripR",          70,  37, 65, Opacity::any },
        { &imgModeStrip,         "imgModeStrip",          58,  19,  3, Opacity::opaque },
        { &imgFeedbackStripL,    "imgFeedbackStripL",     60,  60, 64, Opacity::any },
        { &imgFeedbackStripR,    "imgFeedbackStripR",     60,  60, 64, Opacity::any },
        { &imgWetDryStripL,      "imgWetDryStripL",       60,  60, 64, Opacity::any },
        { &imgWetDryStripR,      "imgWetDryStripR",       60,  60, 64, Opacity::any },
        { &imgOutputStrip,       "imgOutputStrip",        60,  61, 52, Opacity::any },
        { &imgPowerButton,       "imgPowerButton",        44,  19,  2, Opacity::any },
        { &imgSyncButton,        "imgSyncButton",         20,  11,  2, Opacity::any },
        { &imgStereoButton,      "imgStereoButton",       56,  11,  2, Opacity::any },
        { &imgPingPongButton,    "imgPingPongButton",     56,  11,  2, Opacity::any },
        { &imgLinkButton,        "imgLinkButton",         56,  11,  2, Opacity::any },
        { &imgInputButton,       "imgInputButton",        22,  19,  2, Opacity::offFrameTransparent },
        { &imgStereoInputButton, "imgStereoInputButton",  10,  10,  2, Opacity::any },
        { &imgFilterOnButton,    "imgFilterOnButton",     14,  11,  2, Opacity::any },
        { &imgFilterLPButton,    "imgFilterLPButton",     14,  11,  2, Opacity::any },
        { &imgFilterHPButton,    "imgFilterHPButton",     14,  11,  2, Opacity::any },
        { &imgDottedButton,      "imgDottedButton",        8,   8,  2, Opacity::any },
        { &imgTripletButton,     "imgTripletButton",       8,   8,  2, Opacity::any },
    };

    juce::uint32 bigEndian (const unsigned char* p)
    {
        return ((juce::uint32) p[0] << 24) | ((juce::uint32) p[1] << 16) | ((juce::uint32) p[2] << 8) | p[3];
    }

    int countAlpha (const juce::Image& image, const std::function<bool (juce::uint8)>& pred)
    {
        int n = 0;
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                n += pred (image.getPixelAt (x, y).getAlpha()) ? 1 : 0;
        return n;
    }

    std::vector<juce::Image> framesOf (const juce::Image& strip, int frameHeight, int frames)
    {
        std::vector<juce::Image> out;
        for (int i = 0; i < frames; ++i)
            out.push_back (ControlsTest::frameOf (strip, i, frameHeight));
        return out;
    }

    void PrintTo (const Expected& e, std::ostream* os) { *os << e.name; }

    class EmbeddedPicture : public ::testing::TestWithParam<Expected> {};
}

TEST (EmbeddedImageSet, HoldsTheTwentyFiveNamedPicturesInOrder)
{
    ASSERT_EQ (EmbeddedImages::count, (int) std::size (imageSet));
    for (int i = 0; i < EmbeddedImages::count; ++i)
    {
        EXPECT_EQ (EmbeddedImages::all[i], imageSet[i].image);
        EXPECT_STREQ (EmbeddedImages::all[i]->name, imageSet[i].name);
    }
}

TEST_P (EmbeddedPicture, IsAnEightBitRgbaNonInterlacedPngOfTheRightSize)
{
    const auto& e = GetParam();
    const auto* d = e.image->data;
    ASSERT_NE (d, nullptr);
    ASSERT_GT (e.image->size, 33);

    const unsigned char signature[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' };
    EXPECT_EQ (std::memcmp (d, signature, 8), 0);
    EXPECT_EQ (std::memcmp (d + 12, "IHDR", 4), 0);
    EXPECT_EQ (bigEndian (d + 16), (juce::uint32) e.width);
    EXPECT_EQ (bigEndian (d + 20), (juce::uint32) (e.frameHeight * e.frames));
    EXPECT_EQ (d[24], 8);   // bits per channel
    EXPECT_EQ (d[25], 6);   // colour type: RGB with alpha
    EXPECT_EQ (d[28], 0);   // not interlaced

    const auto image = e.image->getImage();
    ASSERT_TRUE (image.isValid());
    EXPECT_EQ (image.getWidth(), e.width);
    EXPECT_EQ (image.getHeight(), e.frameHeight * e.frames);
}

TEST_P (EmbeddedPicture, FollowsItsOpacityRuleAndHasNoBlankOrRepeatedFrame)
{
    const auto& e = GetParam();
    const auto image = e.image->getImage();
    ASSERT_TRUE (image.isValid());
    const auto frames = framesOf (image, e.frameHeight, e.frames);
    const int pixels = e.width * e.frameHeight;

    for (int i = 0; i < e.frames; ++i)
    {
        SCOPED_TRACE ("frame " + std::to_string (i));
        const int visible = countAlpha (frames[(size_t) i], [] (juce::uint8 a) { return a > 0; });

        if (e.opacity == Opacity::opaque)
            EXPECT_EQ (countAlpha (frames[(size_t) i], [] (juce::uint8 a) { return a == 255; }), pixels);
        else if (e.opacity == Opacity::offFrameTransparent && i == 0)
            EXPECT_EQ (visible, 0);
        else
            EXPECT_GT (visible, 0);

        if (i > 0)
            EXPECT_GT (ControlsTest::maxDifference (frames[(size_t) i - 1], frames[(size_t) i]), 0)
                << "frame " << i << " repeats the one above it";
    }
}

TEST_P (EmbeddedPicture, IsDecodedOnceAndShared)
{
    const auto a = GetParam().image->getImage();
    const auto b = GetParam().image->getImage();
    ASSERT_TRUE (a.isValid());
    EXPECT_EQ (a.getPixelData(), b.getPixelData());
}

INSTANTIATE_TEST_SUITE_P (EveryImage, EmbeddedPicture, ::testing::ValuesIn (imageSet),
                          [] (const auto& info) { return std::string (info.param.name); });

//==============================================================================
namespace
{
    /** The knob's pointer sits where the angle algorithm of the knob puts the
        value of that frame: frame i of n at 52 + 256 i / (n - 1) degrees
        clockwise from straight down, around (15.5, 15.5). */
    void expectPointerFollowsTheSweep (const juce::Image& strip, int frames)
    {
        for (int i = 0; i < frames; ++i)
        {
            SCOPED_TRACE ("frame " + std::to_string (i));
            const auto frame = ControlsTest::frameOf (strip, i, 31);
            const double a = juce::degreesToRadians (52.0 + 256.0 * i / (frames - 1));
            auto at = [&] (double r)
            {
                return frame.getPixelAt ((int) std::floor (15.5 - r * std::sin (a)),
                                         (int) std::floor (15.5 + r * std::cos (a)));
            };
            // Bright pointer along the angle, dark knob body opposite it.
            EXPECT_GT (at (7.0).getBrightness(), 0.8f);
            EXPECT_LT (at (-7.0).getBrightness(), 0.45f);
        }
    }

    float needleCentroidX (const juce::Image& frame)
    {
        double sum = 0.0, weight = 0.0;
        for (int y = 0; y < frame.getHeight() - 8; ++y)   // above the hub
            for (int x = 0; x < frame.getWidth(); ++x)
            {
                const float a = frame.getPixelAt (x, y).getFloatAlpha();
                sum += a * (x + 0.5);
                weight += a;
            }
        return weight > 0.0 ? (float) (sum / weight) : -1.0f;
    }

    /** A per-frame measure that must not fall from one frame to the next and
        must grow over the strip. */
    void expectRising (const juce::Image& strip, int frameHeight, int frames,
                       const std::function<double (const juce::Image&)>& measure)
    {
        double first = 0.0, previous = -1.0;
        for (int i = 0; i < frames; ++i)
        {
            const double m = measure (ControlsTest::frameOf (strip, i, frameHeight));
            if (i == 0)
                first = m;
            EXPECT_GE (m, previous - 1e-6) << "frame " << i;
            previous = m;
        }
        EXPECT_GT (previous, first * 1.5 + 1.0);
    }

    double orangeness (const juce::Image& frame)
    {
        double sum = 0.0;
        for (int y = 0; y < frame.getHeight(); ++y)
            for (int x = 0; x < frame.getWidth(); ++x)
            {
                const auto c = frame.getPixelAt (x, y);
                sum += c.getFloatAlpha() * juce::jmax (0, (int) c.getRed() - (int) c.getBlue()) / 255.0;
            }
        return sum;
    }
}

TEST (StripArtwork, KnobPointersTurnClockwiseFromLowerLeftToLowerRight)
{
    expectPointerFollowsTheSweep (EmbeddedImages::imgKnobStrip.getImage(), 64);
    expectPointerFollowsTheSweep (EmbeddedImages::imgKnob7Strip.getImage(), 7);
}

TEST (StripArtwork, PanNeedlesSwingFromLeftToRightAndTheRightOneCentresOnItsMiddleFrame)
{
    for (const auto* strip : { &EmbeddedImages::imgPanStripL, &EmbeddedImages::imgPanStripR })
    {
        const auto image = strip->getImage();
        const int frames = image.getHeight() / 37;
        float previous = -1.0f;
        for (int i = 0; i < frames; ++i)
        {
            const float x = needleCentroidX (ControlsTest::frameOf (image, i, 37));
            EXPECT_GT (x, previous) << strip->name << " frame " << i;
            previous = x;
        }
        EXPECT_LT (needleCentroidX (ControlsTest::frameOf (image, 0, 37)), 25.0f);
        EXPECT_GT (needleCentroidX (ControlsTest::frameOf (image, frames - 1, 37)), 45.0f);
    }
    EXPECT_NEAR (needleCentroidX (ControlsTest::frameOf (EmbeddedImages::imgPanStripR.getImage(), 32, 37)), 35.0f, 0.25f);
}

TEST (StripArtwork, FeedbackIconsGrowBrighterWithTheirLinesFeedback)
{
    expectRising (EmbeddedImages::imgFeedbackStripL.getImage(), 60, 64, orangeness);

    // The right icon is given 1 - feedback, so it brightens towards frame 0.
    const auto right = EmbeddedImages::imgFeedbackStripR.getImage();
    juce::Image reversed (juce::Image::ARGB, 60, 64 * 60, true, juce::SoftwareImageType());
    {
        juce::Graphics g (reversed);
        for (int i = 0; i < 64; ++i)
            g.drawImageAt (ControlsTest::frameOf (right, 63 - i, 60), 0, i * 60);
    }
    expectRising (reversed, 60, 64, orangeness);
}

TEST (StripArtwork, WetDryBarsFillFromEmptyToFull)
{
    const auto barPixels = [] (const juce::Image& frame)
    {
        // The bar is the display grey; count it along the box's middle row.
        double n = 0.0;
        const int y = 29;
        for (int x = 0; x < frame.getWidth(); ++x)
        {
            const auto c = frame.getPixelAt (x, y);
            if (c.getAlpha() > 200 && std::abs ((int) c.getRed() - 0x96) < 12 && std::abs ((int) c.getBlue() - 0x9c) < 12)
                n += 1.0;
        }
        return n;
    };
    for (const auto* strip : { &EmbeddedImages::imgWetDryStripL, &EmbeddedImages::imgWetDryStripR })
    {
        const auto image = strip->getImage();
        EXPECT_EQ (barPixels (ControlsTest::frameOf (image, 0, 60)), 0.0);
        expectRising (image, 60, 64, barPixels);
        EXPECT_GE (barPixels (ControlsTest::frameOf (image, 63, 60)), 38.0);
    }
}

TEST (StripArtwork, OutputWavesGrow)
{
    expectRising (EmbeddedImages::imgOutputStrip.getImage(), 61, 52, [] (const juce::Image& frame)
    {
        double ink = 0.0;
        for (int y = 0; y < frame.getHeight(); ++y)
            for (int x = 26; x < frame.getWidth(); ++x)   // right of the loudspeaker
                ink += frame.getPixelAt (x, y).getFloatAlpha();
        return ink;
    });
}

#include "tests/controls/ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <thread>

namespace juce
{
    // Polls JUCE's message queue and X connection once; defined by the Linux
    // messaging code, declared in no public header.
    bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

namespace
{
    /** The JUCE runtime for the whole test program: message manager, image
        cache, fonts. */
    class JuceRuntime : public ::testing::Environment
    {
    public:
        void SetUp() override    { init = std::make_unique<juce::ScopedJuceInitialiser_GUI>(); }
        void TearDown() override { init.reset(); }

    private:
        std::unique_ptr<juce::ScopedJuceInitialiser_GUI> init;
    };

    [[maybe_unused]] const auto* const runtime = ::testing::AddGlobalTestEnvironment (new JuceRuntime);
}

namespace ControlsTest
{
bool pumpUntil (const std::function<bool()>& pred, int timeoutMs)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
    while (! pred())
    {
        if (juce::Time::getMillisecondCounter() > end)
            return false;
        if (! juce::dispatchNextMessageOnSystemQueue (true))
            std::this_thread::sleep_for (std::chrono::milliseconds (1));
    }
    return true;
}

void pumpPending()
{
    for (int i = 0; i < 1000 && juce::dispatchNextMessageOnSystemQueue (true); ++i)
    {
    }
}

juce::Image frameOf (const juce::Image& strip, int index, int frameHeight)
{
    juce::Image frame (juce::Image::ARGB, strip.getWidth(), frameHeight, true, juce::SoftwareImageType());
    juce::Graphics g (frame);
    g.drawImageAt (strip, 0, -index * frameHeight);
    return frame;
}

juce::Image blendedTwice (const juce::Image& frame, juce::Colour under)
{
    juce::Image out (juce::Image::ARGB, frame.getWidth(), frame.getHeight(), true, juce::SoftwareImageType());
    for (int y = 0; y < frame.getHeight(); ++y)
    {
        for (int x = 0; x < frame.getWidth(); ++x)
        {
            const auto s = frame.getPixelAt (x, y);
            const float sa = s.getFloatAlpha();
            float a = under.getFloatAlpha();
            float r = under.getFloatRed(), g = under.getFloatGreen(), b = under.getFloatBlue();
            for (int pass = 0; pass < 2; ++pass)
            {
                const float na = sa + a * (1.0f - sa);
                if (na > 0.0f)
                {
                    r = (s.getFloatRed() * sa + r * a * (1.0f - sa)) / na;
                    g = (s.getFloatGreen() * sa + g * a * (1.0f - sa)) / na;
                    b = (s.getFloatBlue() * sa + b * a * (1.0f - sa)) / na;
                }
                a = na;
            }
            out.setPixelAt (x, y, juce::Colour::fromFloatRGBA (r, g, b, a));
        }
    }
    return out;
}

int maxDifference (const juce::Image& a, const juce::Image& b)
{
    if (a.getWidth() != b.getWidth() || a.getHeight() != b.getHeight())
        return 256;

    int worst = 0;
    for (int y = 0; y < a.getHeight(); ++y)
    {
        for (int x = 0; x < a.getWidth(); ++x)
        {
            const auto p = a.getPixelAt (x, y);
            const auto q = b.getPixelAt (x, y);
            worst = juce::jmax (worst, std::abs ((int) p.getAlpha() - (int) q.getAlpha()));

            // Colour only matters where the pixel is visible; premultiplied
            // storage loses colour precision at low alpha.
            if (p.getAlpha() >= 48 && q.getAlpha() >= 48)
            {
                worst = juce::jmax (worst, std::abs ((int) p.getRed() - (int) q.getRed()));
                worst = juce::jmax (worst, std::abs ((int) p.getGreen() - (int) q.getGreen()));
                worst = juce::jmax (worst, std::abs ((int) p.getBlue() - (int) q.getBlue()));
            }
        }
    }
    return worst;
}

juce::Image snapshot (juce::Component& c)
{
    return c.createComponentSnapshot (c.getLocalBounds(), true, 1.0f);
}

bool fullyTransparent (const juce::Image& image)
{
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt (x, y).getAlpha() != 0)
                return false;
    return true;
}
}

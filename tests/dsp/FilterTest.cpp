// Two-pole filters and their numeric helpers: note-to-frequency, the usable
// band, the cosine approximation, and measured gains at DC, Nyquist and the
// centre frequency of rendered tones.

#include "dsp/EngineMath.h"
#include "dsp/qBP2p.h"
#include "dsp/qHP2p.h"
#include "dsp/qLP2p.h"
#include "tests/dsp/Signals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

TEST (EngineMath, NoteToFrequency)
{
    EXPECT_NEAR (noteToFrequency (0.0f), 8.1774f, 1e-4f);
    EXPECT_NEAR (noteToFrequency (63.5f), 320.25f, 0.01f);
    EXPECT_NEAR (noteToFrequency (69.0f), 439.9998f, 1e-3f);
    EXPECT_NEAR (noteToFrequency (127.0f), 12541.75f, 0.01f);
    // Twelve notes up is very nearly, but not exactly, an octave.
    EXPECT_NEAR (noteToFrequency (81.0f) / noteToFrequency (69.0f), 2.0f, 1e-4f);
}

TEST (EngineMath, LimitFrequencyKeepsTheUsableBand)
{
    struct Case { float rate, in, out, tolerance; };
    const Case cases[] = {
        { 44100.0f, 30000.0f, 20752.94f, 0.01f },
        { 44100.0f, 1.0f, 1.7944f, 1e-4f },
        { 44100.0f, 1000.0f, 1000.0f, 0.0f },
        { 44100.0f, -5.0f, 1.7944f, 1e-4f },
        { 48000.0f, 1e9f, 22588.24f, 0.01f },
        { 48000.0f, 0.0f, 1.9531f, 1e-4f },
        { 96000.0f, 50000.0f, 45176.47f, 0.01f },
        { 96000.0f, 3.0f, 3.9063f, 1e-4f },
    };
    for (const Case& c : cases)
        EXPECT_NEAR (limitFrequency (c.in, c.rate), c.out, c.tolerance) << c.rate << " Hz, " << c.in;
}

TEST (EngineMath, FastCosIsCloseToTheCosineOverTheFilterAngles)
{
    double worst = 0.0;
    for (double w = 0.0; w <= 2.957; w += 0.0005)
        worst = std::max (worst, std::abs (fastCos (static_cast<float> (w)) - std::cos (w)));
    EXPECT_LT (worst, 5e-4);
    EXPECT_GT (worst, 1e-6);      // an approximation, not the library cosine
}

namespace
{
    enum class Type { lowPass, highPass, bandPass };

    std::unique_ptr<qFilter2p> makeFilter (Type type, float rate, float hz, float resonance)
    {
        std::unique_ptr<qFilter2p> f;
        switch (type)
        {
            case Type::lowPass:  f = std::make_unique<qLP2p>(); break;
            case Type::highPass: f = std::make_unique<qHP2p>(); break;
            case Type::bandPass: f = std::make_unique<qBP2p>(); break;
        }
        f->setSampleRate (rate);
        f->setFrequency (hz);
        f->setResonance (resonance);
        return f;
    }

    struct GainCase
    {
        const char* name;
        Type type;
        float resonance;
        double probeHz;      // -1: the filter's own frequency
        double expected;
        double tolerance;
    };

    class FilterGain : public ::testing::TestWithParam<GainCase> {};

    constexpr float kRate = 44100.0f;
    constexpr float kCentre = 1000.0f;
}

TEST_P (FilterGain, MeasuredOnARenderedTone)
{
    const GainCase c = GetParam();
    auto filter = makeFilter (c.type, kRate, kCentre, c.resonance);
    const double hz = c.probeHz < 0.0 ? kCentre : c.probeHz;
    const double gain = signals::measuredGain ([&] (float x) { return filter->processSample (x); }, hz, kRate);
    EXPECT_NEAR (gain, c.expected, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P (Responses, FilterGain, ::testing::Values (
    GainCase { "LowPassDC", Type::lowPass, 0.0f, 0.0, 1.0, 1e-5 },
    GainCase { "LowPassNyquist", Type::lowPass, 0.0f, kRate / 2, 0.0, 1e-5 },
    GainCase { "LowPassDCResonant", Type::lowPass, 0.95f, 0.0, 1.0, 1e-4 },
    GainCase { "LowPassCentre", Type::lowPass, 0.0f, -1.0, 0.5, 2e-3 },          // Q = 0.5
    GainCase { "LowPassCentreResonant", Type::lowPass, 0.95f, -1.0, 10.0, 0.1 },  // Q = 10
    GainCase { "HighPassDC", Type::highPass, 0.0f, 0.0, 0.0, 1e-5 },
    GainCase { "HighPassNyquist", Type::highPass, 0.0f, kRate / 2, 1.0, 1e-5 },
    GainCase { "HighPassNyquistResonant", Type::highPass, 0.5f, kRate / 2, 1.0, 1e-4 },
    GainCase { "BandPassDC", Type::bandPass, 0.0f, 0.0, 0.0, 1e-5 },
    GainCase { "BandPassNyquist", Type::bandPass, 0.0f, kRate / 2, 0.0, 1e-5 },
    GainCase { "BandPassCentre", Type::bandPass, 0.0f, -1.0, 0.5, 2e-3 },
    GainCase { "BandPassCentreHalfResonance", Type::bandPass, 0.5f, -1.0, 1.0, 5e-3 },
    GainCase { "BandPassCentreFullResonance", Type::bandPass, 0.95f, -1.0, 10.0, 0.1 },
    GainCase { "BandPassOctaveAboveResonant", Type::bandPass, 0.95f, 2 * kCentre, 0.67, 0.05 }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (Filters, FrequencyOutsideTheBandIsLimitedWhenCoefficientsAreFormed)
{
    auto requested = makeFilter (Type::lowPass, kRate, 30000.0f, 0.3f);
    auto limited = makeFilter (Type::lowPass, kRate, limitFrequency (30000.0f, kRate), 0.3f);
    EXPECT_EQ (requested->getFrequency(), 30000.0f);

    for (int n = 0; n < 1000; ++n)
    {
        const float x = static_cast<float> (std::sin (0.37 * n));
        ASSERT_EQ (requested->processSample (x), limited->processSample (x)) << n;
    }
}

TEST (Filters, NewCoefficientsKeepTheHistory)
{
    // A filter retuned mid-signal continues from its history: its next
    // output differs from that of a fresh filter with the same settings.
    auto moving = makeFilter (Type::bandPass, kRate, 500.0f, 0.8f);
    for (int n = 0; n < 500; ++n)
        moving->processSample (static_cast<float> (std::sin (0.07 * n)));
    const qFilter2p::History before = moving->getHistory();

    moving->setFrequency (2000.0f);
    moving->setResonance (0.2f);
    const qFilter2p::History after = moving->getHistory();
    EXPECT_EQ (0, std::memcmp (&before, &after, sizeof before));

    auto fresh = makeFilter (Type::bandPass, kRate, 2000.0f, 0.2f);
    EXPECT_NE (moving->processSample (0.0f), fresh->processSample (0.0f));
}

TEST (Filters, SampleRateCountsFromTheNextCoefficientUpdate)
{
    auto filter = makeFilter (Type::lowPass, 44100.0f, 5000.0f, 0.0f);
    const qFilter2p::Coefficients at44 = filter->getCoefficients();
    filter->setSampleRate (96000.0f);
    const qFilter2p::Coefficients unchanged = filter->getCoefficients();
    EXPECT_EQ (0, std::memcmp (&at44, &unchanged, sizeof at44));   // not yet
    filter->setFrequency (5000.0f);
    EXPECT_NE (at44.b0, filter->getCoefficients().b0);
}

TEST (Filters, SilenceAfterASignalNeverProducesSubnormals)
{
    for (Type type : { Type::lowPass, Type::highPass, Type::bandPass })
    {
        auto filter = makeFilter (type, kRate, 300.0f, 0.9f);
        for (int n = 0; n < 2000; ++n)
            filter->processSample (n % 50 < 25 ? 1.0f : -1.0f);

        float y = 1.0f;
        for (int n = 0; n < 500000; ++n)
        {
            y = filter->processSample (0.0f);
            const qFilter2p::History h = filter->getHistory();
            ASSERT_FALSE (signals::isSubnormal (y) || signals::isSubnormal (h.y1) || signals::isSubnormal (h.y2)
                          || signals::isSubnormal (h.x1) || signals::isSubnormal (h.x2))
                << "type " << static_cast<int> (type) << ", sample " << n;
        }
        EXPECT_LT (std::abs (y), 1e-10f);
    }
}

// qDelay and qComb: whole-sample distances and their limits, echo times and
// decay of the comb, bypass, and the denormal bias.

#include "dsp/qComb.h"
#include "dsp/qDelay.h"
#include "tests/dsp/Signals.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();

    // Calls after which an impulse written at call 0 comes out, or -1 if it
    // does not within `limit` calls. Everything before it must be exactly 0.
    int impulseArrival (qEffect& fx, int limit = qDelay::kLength + 10)
    {
        for (int n = 0; n < limit; ++n)
        {
            const float y = fx.processSample (n == 0 ? 1.0f : 0.0f);
            if (y != 0.0f)
                return y == 1.0f ? n : -2;
        }
        return -1;
    }

    struct DistanceCase { float rate; float seconds; int expected; };

    class DelayDistance : public ::testing::TestWithParam<DistanceCase> {};
}

TEST_P (DelayDistance, ImpulseComesOutAfterTheLimitedWholeSampleDistance)
{
    const DistanceCase c = GetParam();
    qDelay delay;
    delay.setSampleRate (c.rate);
    delay.setDelayTime (c.seconds);
    EXPECT_EQ (impulseArrival (delay), c.expected);
}

INSTANTIATE_TEST_SUITE_P (Limits, DelayDistance, ::testing::Values (
    DistanceCase { 44100.0f, 0.0f, 0 },
    DistanceCase { 44100.0f, 0.5f, 22050 },
    DistanceCase { 44100.0f, 0.25f, 11025 },
    DistanceCase { 44100.0f, 0.0001f, 4 },           // 4.41 truncated
    DistanceCase { 48000.0f, 0.3f, 14400 },
    DistanceCase { 44100.0f, 4.3537f, 191998 },      // just inside the buffer
    DistanceCase { 48000.0f, 4.0f, 191999 },         // 192000 is one too many
    DistanceCase { 44100.0f, 10.0f, 191999 },
    DistanceCase { 44100.0f, 3.0e38f, 191999 },
    DistanceCase { 44100.0f, kInf, 191999 },
    DistanceCase { 44100.0f, -0.5f, 0 },
    DistanceCase { 44100.0f, -kInf, 0 },
    DistanceCase { 44100.0f, kNaN, 0 },
    DistanceCase { 96000.0f, 2.0f, 191999 }));

TEST (DelayLine, DistanceZeroReturnsEveryInputUnchanged)
{
    qDelay delay;
    delay.setDelayTime (0.0f);
    for (float x : { 0.25f, -1.0f, 3.5e-20f, 1e30f })
        EXPECT_EQ (delay.processSample (x), x);
}

TEST (DelayLine, NewTimeOrRateMovesTheReadPositionAtTheNextSample)
{
    qDelay delay;
    delay.setSampleRate (1000.0f);
    delay.setDelayTime (0.010f);                       // 10 samples
    for (int n = 1; n <= 100; ++n)
        delay.processSample (static_cast<float> (n));  // the call n wrote n

    delay.setDelayTime (0.004f);                       // 4 samples, no glide
    EXPECT_EQ (delay.processSample (101.0f), 97.0f);

    delay.setSampleRate (2000.0f);                     // now 8 samples
    EXPECT_EQ (delay.processSample (102.0f), 94.0f);
}

TEST (DelayLine, UnusableSampleRatesAreIgnored)
{
    qDelay delay;
    delay.setSampleRate (1000.0f);
    delay.setDelayTime (0.005f);
    for (float rate : { 0.0f, -48000.0f, kNaN, kInf, 1e-40f })
    {
        delay.setSampleRate (rate);
        EXPECT_EQ (delay.getSampleRate(), 1000.0f) << rate;
    }
    EXPECT_EQ (delay.getDistance(), 5);
}

TEST (DelayLine, KeepsWorkingAcrossTheRingBoundary)
{
    qDelay delay;
    delay.setSampleRate (1000.0f);
    delay.setDelayTime (0.003f);
    for (int n = 1; n <= 3 * qDelay::kLength + 17; ++n)
    {
        const float out = delay.processSample (static_cast<float> (n % 1000));
        if (n > 3)
        {
            ASSERT_EQ (out, static_cast<float> ((n - 3) % 1000)) << n;
        }
    }
    EXPECT_EQ (delay.getWriteIndex(), (3 * qDelay::kLength + 17) % qDelay::kLength);
}

TEST (DelayLine, BypassPassesInputAndFreezesTheRing)
{
    qDelay delay;
    delay.setSampleRate (1000.0f);
    delay.setDelayTime (0.002f);
    delay.processSample (1.0f);
    delay.processSample (2.0f);
    const int writeIndex = delay.getWriteIndex();

    delay.setBypass (true);
    for (float x : { 7.0f, -8.0f, 9.0f })
        EXPECT_EQ (delay.processSample (x), x);
    EXPECT_EQ (delay.getWriteIndex(), writeIndex);

    delay.setBypass (false);
    EXPECT_EQ (delay.processSample (3.0f), 1.0f);   // as if nothing happened
    EXPECT_EQ (delay.processSample (4.0f), 2.0f);
}

TEST (Comb, FeedbackZeroGivesOneEchoOnly)
{
    qComb comb;
    comb.setSampleRate (1000.0f);
    comb.setDelayTime (0.010f);
    comb.setFeedback (0.0f);
    for (int n = 0; n < 40; ++n)
    {
        const float y = comb.processSample (n == 0 ? 1.0f : 0.0f);
        EXPECT_NEAR (y, n == 10 ? 1.0f : 0.0f, 1e-12f) << n;
    }
}

TEST (Comb, EchoesFollowEveryDPlusOneSamplesWithTheFeedbackGain)
{
    qComb comb;
    comb.setSampleRate (1000.0f);
    comb.setDelayTime (0.020f);                       // d = 20
    comb.setFeedback (0.5f);

    std::vector<float> out;
    for (int n = 0; n < 100; ++n)
        out.push_back (comb.processSample (n == 0 ? 1.0f : 0.0f));

    EXPECT_NEAR (out[20], 1.0f, 1e-9f);
    EXPECT_NEAR (out[41], 0.5f, 1e-9f);               // 2d + 1
    EXPECT_NEAR (out[62], 0.25f, 1e-9f);              // 3d + 2
    EXPECT_NEAR (out[83], 0.125f, 1e-9f);
    for (int n : { 19, 21, 40, 42, 61, 63 })
        EXPECT_LT (std::abs (out[static_cast<size_t> (n)]), 1e-9f) << n;
}

TEST (Comb, FeedbackOneRepeatsWithoutDecay)
{
    qComb comb;
    comb.setSampleRate (1000.0f);
    comb.setDelayTime (0.005f);
    comb.setFeedback (1.0f);
    float peak = 0.0f;
    for (int n = 0; n < 6 * 200; ++n)
    {
        const float y = comb.processSample (n == 0 ? 1.0f : 0.0f);
        if (n % 6 == 5)
            peak = y;
    }
    EXPECT_NEAR (peak, 1.0f, 1e-6f);
}

TEST (Comb, DistanceZeroIsAOnePoleRecursion)
{
    qComb comb;
    comb.setDelayTime (0.0f);
    comb.setFeedback (0.5f);
    EXPECT_EQ (comb.processSample (1.0f), 1.0f);
    EXPECT_NEAR (comb.processSample (0.0f), 0.5f, 1e-12f);
    EXPECT_NEAR (comb.processSample (0.0f), 0.25f, 1e-12f);
}

TEST (Comb, BypassFreezesDelayAndFeedbackTerm)
{
    qComb comb;
    comb.setSampleRate (1000.0f);
    comb.setDelayTime (0.003f);
    comb.setFeedback (0.5f);
    comb.processSample (1.0f);
    comb.processSample (0.0f);
    const float feedbackSample = comb.getFeedbackSample();

    comb.setBypass (true);
    for (float x : { 0.3f, 0.6f, 0.9f, 1.2f, 1.5f })
        EXPECT_EQ (comb.processSample (x), x);
    EXPECT_EQ (comb.getFeedbackSample(), feedbackSample);

    comb.setBypass (false);
    comb.processSample (0.0f);
    EXPECT_NEAR (comb.processSample (0.0f), 1.0f, 1e-9f);   // the echo was only delayed
}

TEST (Comb, SilenceAfterASignalSettlesOnTheBiasNeverOnSubnormals)
{
    qComb comb;
    comb.setSampleRate (1000.0f);
    comb.setDelayTime (0.007f);
    comb.setFeedback (0.9f);
    for (int n = 0; n < 50; ++n)
        comb.processSample (n % 2 == 0 ? 1.0f : -1.0f);

    float y = 1.0f;
    for (int n = 0; n < 200000; ++n)
    {
        y = comb.processSample (0.0f);
        ASSERT_FALSE (signals::isSubnormal (y)) << n;
        ASSERT_FALSE (signals::isSubnormal (comb.getFeedbackSample())) << n;
    }
    // Settles at bias / (1 - feedback): about 1e-12.
    EXPECT_NEAR (y, 1e-13f / 0.1f, 1e-14f);
}

// qDelaySyncCS: delay times free and synced, ping-pong, pan, filter chain
// switching, bypass, sample rate, the consequences of the setter order, and
// how it copes with control values outside their range.

#include "dsp/EngineMath.h"
#include "dsp/qDelaySyncCS.h"
#include "tests/dsp/Signals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace
{
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();

    // The engine's 24 controls, with the values the processor would pass.
    struct Controls
    {
        float preDelayLeft = 0.0f, preDelayRight = 0.0f;
        float delayLeft = 0.5f, delayRight = 0.5f;
        float feedbackLeft = 0.0f, feedbackRight = 0.0f;
        float sync = 0.0f, tempo = 120.0f, dotted = 0.0f, triplet = 0.0f, pingPong = 0.0f;
        float filterOnLeft = 0.0f, filterOnRight = 0.0f;
        float lpLeft = 0.0f, lpRight = 0.0f, hpLeft = 0.0f, hpRight = 0.0f, bpLeft = 0.0f, bpRight = 0.0f;
        float freqLeft = 0.5f, freqRight = 0.5f, resLeft = 0.0f, resRight = 0.0f;
        float panLeft = 0.0f, panRight = 0.0f;
    };

    // One block's update, in the order the processor calls the setters.
    void update (qDelaySyncCS& e, const Controls& c)
    {
        e.setPreDelayLeft (c.preDelayLeft);
        e.setPreDelayRight (c.preDelayRight);
        e.setDelayLeft (c.delayLeft);
        e.setDelayRight (c.delayRight);
        e.setFeedbackLeft (c.feedbackLeft);
        e.setFeedbackRight (c.feedbackRight);
        e.setSyncAndTempo (c.sync, c.tempo);
        e.setDotted (c.dotted);
        e.setTriplet (c.triplet);
        e.setPingPong (c.pingPong);
        e.setFilterOnLeft (c.filterOnLeft);
        e.setFilterOnRight (c.filterOnRight);
        e.setFilterLPLeft (c.lpLeft);
        e.setFilterLPRight (c.lpRight);
        e.setFilterHPLeft (c.hpLeft);
        e.setFilterHPRight (c.hpRight);
        e.setFilterBPLeft (c.bpLeft);
        e.setFilterBPRight (c.bpRight);
        e.setFilterFreqLeft (c.freqLeft);
        e.setFilterFreqRight (c.freqRight);
        e.setFilterResLeft (c.resLeft);
        e.setFilterResRight (c.resRight);
        e.setPanLeft (c.panLeft);
        e.setPanRight (c.panRight);
    }

    // Two updates, as two blocks would give: switches and tempo read by the
    // delay setters are those of the update before.
    void settle (qDelaySyncCS& e, const Controls& c)
    {
        update (e, c);
        update (e, c);
    }

    struct Frame { float left, right; };

    Frame run (qDelaySyncCS& e, float left, float right)
    {
        float frame[2] = { left, right };
        EXPECT_EQ (e.processFrame (frame, 2), frame);
        return { frame[0], frame[1] };
    }

    // Output frames for an impulse on the chosen inputs at frame 0.
    std::vector<Frame> impulseResponse (qDelaySyncCS& e, int frames, float left = 1.0f, float right = 1.0f)
    {
        std::vector<float> data (2 * static_cast<size_t> (frames), 0.0f);
        data[0] = left;
        data[1] = right;
        e.processFrames (data.data(), frames);
        std::vector<Frame> out;
        for (int i = 0; i < frames; ++i)
            out.push_back ({ data[2 * static_cast<size_t> (i)], data[2 * static_cast<size_t> (i) + 1] });
        return out;
    }

    // Frames at which a side carries more than `threshold`.
    std::vector<int> peaks (const std::vector<Frame>& out, bool left, float threshold = 0.1f)
    {
        std::vector<int> at;
        for (size_t i = 0; i < out.size(); ++i)
            if (std::abs (left ? out[i].left : out[i].right) > threshold)
                at.push_back (static_cast<int> (i));
        return at;
    }
}

TEST (EngineDelay, FreeTimeFirstRepeatAndFeedbackRepeats)
{
    qDelaySyncCS e;
    Controls c;
    c.delayLeft = 0.25f;
    c.delayRight = 0.1f;
    c.feedbackLeft = c.feedbackRight = 0.5f;
    settle (e, c);

    const auto out = impulseResponse (e, 30000);
    EXPECT_EQ (peaks (out, true), (std::vector<int> { 11025, 22051 }));
    EXPECT_EQ (peaks (out, false), (std::vector<int> { 4410, 8821, 13232, 17643 }));
    EXPECT_NEAR (out[22051].left, 0.5f, 1e-6f);
    EXPECT_NEAR (out[13232].right, 0.25f, 1e-6f);
}

TEST (EngineDelay, SyncDivisorSplitsTheControlIntoSixthsAndTheTop)
{
    struct Case { float v; int n; };
    const Case cases[] = {
        { 0.0f, 64 }, { 0.1f, 64 }, { 0.17f, 32 }, { 0.4f, 16 }, { 0.5f, 8 }, { 0.7f, 4 },
        { 0.85f, 2 }, { 0.99f, 2 }, { 0.99999994f, 2 }, { 1.0f, 1 },
        { 1.5f, 1 }, { -0.5f, 1 }, { kNaN, 1 }, { kInf, 1 }, { -kInf, 1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ (syncDivisor (c.v), c.n) << c.v;
}

namespace
{
    struct SyncCase { float tempo; float v; float dotted; float triplet; double seconds; };
    class SyncedTime : public ::testing::TestWithParam<SyncCase> {};
}

TEST_P (SyncedTime, IsTheNoteValueOfAFourBeatBar)
{
    const SyncCase s = GetParam();
    qDelaySyncCS e;
    Controls c;
    c.sync = 1.0f;
    c.tempo = s.tempo;
    c.dotted = s.dotted;
    c.triplet = s.triplet;
    c.delayLeft = c.delayRight = s.v;
    settle (e, c);
    EXPECT_NEAR (e.getDelayTimeLeft(), s.seconds, s.seconds * 1e-6);
    EXPECT_EQ (e.getDelayTimeRight(), e.getDelayTimeLeft());
}

INSTANTIATE_TEST_SUITE_P (Table, SyncedTime, ::testing::Values (
    SyncCase { 120.0f, 0.0f, 0, 0, 0.03125 },
    SyncCase { 120.0f, 0.2f, 0, 0, 0.0625 },
    SyncCase { 120.0f, 0.4f, 0, 0, 0.125 },
    SyncCase { 120.0f, 0.55f, 0, 0, 0.25 },
    SyncCase { 120.0f, 0.7f, 0, 0, 0.5 },
    SyncCase { 120.0f, 0.99f, 0, 0, 1.0 },
    SyncCase { 120.0f, 1.0f, 0, 0, 2.0 },
    SyncCase { 120.0f, 0.0f, 1, 0, 0.046875 },
    SyncCase { 120.0f, 0.7f, 1, 0, 0.75 },
    SyncCase { 120.0f, 1.0f, 1, 0, 3.0 },
    SyncCase { 120.0f, 0.0f, 0, 1, 1.0 / 48 },
    SyncCase { 120.0f, 0.7f, 0, 1, 1.0 / 3 },
    SyncCase { 120.0f, 1.0f, 0, 1, 4.0 / 3 },
    SyncCase { 120.0f, 0.7f, 1, 1, 0.75 },            // dotted wins
    SyncCase { 120.0f, 0.7f, 0.99f, 0, 0.5 },         // 0.99 is not on
    SyncCase { 90.0f, 0.55f, 0, 0, 240.0 / (90.0 * 8) },
    SyncCase { 60.0f, 1.0f, 1, 0, 6.0 }));

TEST (EngineDelay, TimesBeyondTheBufferAndTempoZeroUseTheLongestDelay)
{
    for (float tempo : { 60.0f, 0.0f })
    {
        qDelaySyncCS e;
        Controls c;
        c.sync = 1.0f;
        c.tempo = tempo;
        c.dotted = 1.0f;
        c.delayLeft = c.delayRight = 1.0f;
        settle (e, c);
        const auto out = impulseResponse (e, qDelay::kLength + 5);
        EXPECT_EQ (peaks (out, true), std::vector<int> { qDelay::kMaxDistance }) << tempo;
        EXPECT_EQ (peaks (out, false), std::vector<int> { qDelay::kMaxDistance }) << tempo;
    }
}

TEST (EnginePingPong, LeftPreDelayIsHalfTheLeftDelayAndRightHasNone)
{
    qDelaySyncCS e;
    Controls c;
    c.pingPong = 1.0f;
    c.delayLeft = 0.4f;
    c.delayRight = 0.3f;
    c.preDelayLeft = 0.9f;
    c.preDelayRight = 0.7f;
    settle (e, c);
    EXPECT_FLOAT_EQ (e.getPreDelayTimeLeft(), 0.2f);
    EXPECT_EQ (e.getPreDelayTimeRight(), 0.0f);
}

TEST (EnginePingPong, RepeatsAlternateBetweenTheSides)
{
    qDelaySyncCS e;
    e.setSampleRate (1000.0f);
    Controls c;
    c.pingPong = 1.0f;
    c.delayLeft = c.delayRight = 0.1f;          // T = 100 samples
    c.feedbackLeft = c.feedbackRight = 0.5f;
    settle (e, c);

    const auto out = impulseResponse (e, 400);
    EXPECT_EQ (peaks (out, false), (std::vector<int> { 100, 201, 302 }));   // T, 2T, 3T (+1 per repeat)
    EXPECT_EQ (peaks (out, true), (std::vector<int> { 150, 251, 352 }));    // 1.5T, 2.5T, 3.5T
}

namespace
{
    struct PanCase { float panLeft, panRight; Frame fromLeft, fromRight; };
    class PanMatrix : public ::testing::TestWithParam<PanCase> {};
}

TEST_P (PanMatrix, MixesEachLineIntoBothOutputs)
{
    const PanCase p = GetParam();
    qDelaySyncCS e;
    Controls c;
    c.delayLeft = c.delayRight = 0.0f;           // lines pass straight through
    c.panLeft = p.panLeft;
    c.panRight = p.panRight;
    settle (e, c);

    const Frame l = run (e, 1.0f, 0.0f);
    EXPECT_NEAR (l.left, p.fromLeft.left, 1e-6f);
    EXPECT_NEAR (l.right, p.fromLeft.right, 1e-6f);
    const Frame r = run (e, 0.0f, 1.0f);
    EXPECT_NEAR (r.left, p.fromRight.left, 1e-6f);
    EXPECT_NEAR (r.right, p.fromRight.right, 1e-6f);
}

INSTANTIATE_TEST_SUITE_P (Table, PanMatrix, ::testing::Values (
    PanCase { 0.0f, 0.0f, { 1.0f, 0.0f }, { 0.0f, 1.0f } },        // straight
    PanCase { 1.0f, 1.0f, { 0.0f, 1.0f }, { 1.0f, 0.0f } },        // swapped
    PanCase { 0.5f, 0.5f, { 0.5f, 0.5f }, { 0.5f, 0.5f } },        // both centred
    PanCase { 0.25f, 0.0f, { 0.75f, 0.25f }, { 0.0f, 1.0f } },
    PanCase { 0.0f, 0.8f, { 1.0f, 0.0f }, { 0.8f, 0.2f } }));

TEST (EngineFilters, ChainNeedsBothItsSwitchAndAType)
{
    // Reference: no filtering at all.
    auto render = [] (const Controls& c)
    {
        qDelaySyncCS e;
        settle (e, c);
        std::vector<float> data (2000);
        for (size_t i = 0; i < data.size(); ++i)
            data[i] = static_cast<float> (std::sin (0.05 * static_cast<double> (i)));
        e.processFrames (data.data(), 1000);
        return data;
    };

    Controls plain;
    plain.delayLeft = plain.delayRight = 0.001f;
    plain.freqLeft = plain.freqRight = 0.7f;
    const auto unfiltered = render (plain);

    Controls chainOnly = plain;
    chainOnly.filterOnLeft = chainOnly.filterOnRight = 1.0f;
    EXPECT_EQ (render (chainOnly), unfiltered);

    Controls typesOnly = plain;
    typesOnly.lpLeft = typesOnly.hpRight = typesOnly.bpLeft = 1.0f;
    EXPECT_EQ (render (typesOnly), unfiltered);

    Controls both = typesOnly;
    both.filterOnLeft = both.filterOnRight = 1.0f;
    EXPECT_NE (render (both), unfiltered);
}

TEST (EngineFilters, OneFrequencyControlMovesLowPassAgainstTheOthers)
{
    // Gain of the left line at 1 kHz with one filter type switched in.
    auto gainAt1k = [] (float freq, bool lowPass)
    {
        qDelaySyncCS e;
        Controls c;
        c.delayLeft = c.delayRight = 0.0f;
        c.filterOnLeft = 1.0f;
        (lowPass ? c.lpLeft : c.hpLeft) = 1.0f;
        c.freqLeft = freq;
        settle (e, c);
        return signals::measuredGain ([&] (float x) { return run (e, x, 0.0f).left; }, 1000.0, 44100.0);
    };

    EXPECT_NEAR (gainAt1k (0.0f, true), 1.0, 0.01);     // low-pass at 12.5 kHz
    EXPECT_LT (gainAt1k (1.0f, true), 1e-4);            // low-pass at 8.2 Hz
    EXPECT_NEAR (gainAt1k (0.0f, false), 1.0, 0.01);    // high-pass at 8.2 Hz
    EXPECT_LT (gainAt1k (1.0f, false), 0.01);           // high-pass at 12.5 kHz
}

TEST (EngineFilters, ResonanceControlReachesQ10AtItsTop)
{
    // Band-pass alone, tuned by the control to note 63.5 (320.25 Hz).
    qDelaySyncCS e;
    Controls c;
    c.delayLeft = c.delayRight = 0.0f;
    c.filterOnLeft = c.bpLeft = 1.0f;
    c.freqLeft = 0.5f;
    c.resLeft = 1.0f;
    settle (e, c);
    const double gain = signals::measuredGain ([&] (float x) { return run (e, x, 0.0f).left; },
                                               noteToFrequency (63.5f), 44100.0, 60000, 88200);
    EXPECT_NEAR (gain, 10.0, 0.15);
}

TEST (EngineFilters, SwitchedOutFilterResumesWithItsHistory)
{
    // A low-pass switched out for a while continues where it stopped, so its
    // first output after switching back in differs from a fresh filter's.
    Controls c;
    c.delayLeft = c.delayRight = 0.0f;
    c.filterOnLeft = c.lpLeft = 1.0f;
    c.freqLeft = 0.8f;

    qDelaySyncCS used, fresh;
    settle (used, c);
    for (int i = 0; i < 200; ++i)
        run (used, 1.0f, 0.0f);

    Controls off = c;
    off.filterOnLeft = 0.0f;
    settle (used, off);
    EXPECT_EQ (run (used, 0.25f, 0.0f).left, 0.25f + 1e-13f);   // passes the comb output

    settle (used, c);
    settle (fresh, c);
    EXPECT_GT (run (used, 0.0f, 0.0f).left, 0.5f * run (fresh, 1.0f, 0.0f).left);
}

TEST (EngineBypass, FreezesEverythingAndResumesTheRepeats)
{
    qDelaySyncCS e;
    e.setSampleRate (1000.0f);
    Controls c;
    c.delayLeft = c.delayRight = 0.05f;
    c.feedbackLeft = c.feedbackRight = 0.5f;
    c.filterOnLeft = c.lpLeft = 1.0f;
    c.freqLeft = 0.2f;
    settle (e, c);

    qDelaySyncCS twin;              // the same history, never bypassed
    twin.setSampleRate (1000.0f);
    settle (twin, c);

    for (int i = 0; i < 30; ++i)
    {
        run (e, i == 0 ? 1.0f : 0.0f, i == 0 ? -1.0f : 0.0f);
        run (twin, i == 0 ? 1.0f : 0.0f, i == 0 ? -1.0f : 0.0f);
    }

    e.setBypass (true);
    for (int i = 0; i < 500; ++i)
    {
        const Frame f = run (e, 0.125f * static_cast<float> (i % 7), -0.5f);
        ASSERT_EQ (f.left, 0.125f * static_cast<float> (i % 7));
        ASSERT_EQ (f.right, -0.5f);
    }
    float block[8] = { 1, 2, 3, 4, 5, 6, 7, 8 };
    e.processFrames (block, 4);
    EXPECT_EQ (block[7], 8.0f);

    e.setBypass (false);
    for (int i = 0; i < 300; ++i)
    {
        const Frame a = run (e, 0.0f, 0.0f), b = run (twin, 0.0f, 0.0f);
        ASSERT_EQ (a.left, b.left) << i;
        ASSERT_EQ (a.right, b.right) << i;
    }
}

TEST (EngineSampleRate, ReachesEveryPartAndIgnoresUnusableRates)
{
    qDelaySyncCS e;
    Controls c;
    c.delayLeft = 0.25f;
    c.preDelayRight = 0.1f;
    c.delayRight = 0.0f;
    settle (e, c);
    e.setSampleRate (48000.0f);
    for (float bad : { 0.0f, -1.0f, kNaN, kInf })
        e.setSampleRate (bad);
    EXPECT_EQ (e.getSampleRate(), 48000.0f);

    const auto out = impulseResponse (e, 13000);
    EXPECT_EQ (peaks (out, true), std::vector<int> { 12000 });
    EXPECT_EQ (peaks (out, false), std::vector<int> { 4800 });
}

TEST (EngineSetterOrder, SettersReadTheOtherSettingsAsTheyStand)
{
    qDelaySyncCS e;
    Controls c;
    c.delayLeft = 0.7f;
    c.sync = 1.0f;
    c.preDelayLeft = 0.1f;
    c.pingPong = 1.0f;

    // First update: the delay setters still see sync off and the pre-delay
    // setter ping-pong off, both switched on only later in the same update.
    update (e, c);
    EXPECT_FLOAT_EQ (e.getDelayTimeLeft(), 0.7f);
    EXPECT_FLOAT_EQ (e.getPreDelayTimeLeft(), 0.1f);

    // Second update: synced (n = 4 at 120 BPM) and ping-pong, which halves
    // the left delay as it stood when the pre-delay was set: still 0.7 s.
    update (e, c);
    EXPECT_FLOAT_EQ (e.getDelayTimeLeft(), 0.5f);
    EXPECT_FLOAT_EQ (e.getPreDelayTimeLeft(), 0.35f);

    update (e, c);
    EXPECT_FLOAT_EQ (e.getPreDelayTimeLeft(), 0.25f);

    // A tempo change reaches the time only through the next delay setter.
    e.setSyncAndTempo (1.0f, 60.0f);
    EXPECT_FLOAT_EQ (e.getDelayTimeLeft(), 0.5f);
    e.setDelayLeft (0.7f);
    EXPECT_FLOAT_EQ (e.getDelayTimeLeft(), 1.0f);
}

TEST (EngineSetterOrder, NothingIsClearedBySetters)
{
    qDelaySyncCS e;
    e.setSampleRate (1000.0f);
    Controls c;
    c.delayLeft = c.delayRight = 0.02f;
    settle (e, c);
    run (e, 1.0f, 1.0f);

    // Shorter time, then back: the impulse is still in the ring.
    Controls other = c;
    other.delayLeft = other.delayRight = 0.005f;
    other.sync = 1.0f;
    settle (e, other);
    settle (e, c);
    for (int i = 1; i < 20; ++i)
        run (e, 0.0f, 0.0f);
    EXPECT_NEAR (run (e, 0.0f, 0.0f).left, 1.0f, 1e-6f);
}

TEST (EngineRobustness, OutOfRangeControlsNeverLeaveNaNOrInfinityBehind)
{
    // Controls the host should never send but a damaged preset can hold.
    // Afterwards the engine must sound normal again with sane controls.
    Controls wild;
    wild.delayLeft = 1.0f;  wild.delayRight = 0.001f;
    wild.feedbackLeft = 1.5f;  wild.feedbackRight = kNaN;
    wild.filterOnLeft = wild.filterOnRight = 1.0f;
    wild.lpLeft = wild.hpLeft = wild.bpLeft = 1.0f;
    wild.bpRight = 1.0f;
    wild.freqLeft = kNaN;  wild.freqRight = -kInf;
    wild.resLeft = 1.2f;   wild.resRight = -kInf;
    wild.panLeft = kNaN;   wild.panRight = kInf;

    qDelaySyncCS e;
    e.setSampleRate (48000.0f);
    settle (e, wild);
    std::vector<float> data (2 * 48000);
    for (int second = 0; second < 5; ++second)
    {
        for (size_t i = 0; i < data.size(); ++i)
            data[i] = (i / 2) % 100 < 50 ? 1.0f : -1.0f;
        e.processFrames (data.data(), 48000);
        for (float x : data)
            ASSERT_TRUE (std::isfinite (x)) << "second " << second;
    }

    Controls sane;
    sane.delayLeft = sane.delayRight = 0.01f;
    sane.feedbackLeft = sane.feedbackRight = 0.3f;
    sane.filterOnLeft = sane.filterOnRight = 1.0f;
    sane.lpLeft = sane.bpRight = 1.0f;
    settle (e, sane);
    std::fill (data.begin(), data.end(), 0.0f);
    e.processFrames (data.data(), 48000);
    for (float x : data)
        ASSERT_TRUE (std::isfinite (x));
}

TEST (EngineRobustness, FeedbackAboveOneActsAsOne)
{
    auto render = [] (float feedback)
    {
        qDelaySyncCS e;
        Controls c;
        c.delayLeft = c.delayRight = 0.001f;
        c.feedbackLeft = feedback;
        c.feedbackRight = -feedback;
        settle (e, c);
        std::vector<float> data (4000, 0.0f);
        data[0] = data[1] = 1.0f;
        e.processFrames (data.data(), 2000);
        return data;
    };
    EXPECT_EQ (render (1.5f), render (1.0f));
    EXPECT_EQ (render (1e30f), render (1.0f));
}

TEST (EngineRobustness, FiltersSwitchedOnBeforeAnyFrequencyIsSetStayFinite)
{
    qDelaySyncCS e;
    e.setDelayLeft (0.0f);
    e.setFilterOnLeft (1.0f);
    e.setFilterLPLeft (1.0f);
    e.setFilterHPLeft (1.0f);
    e.setFilterBPLeft (1.0f);
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE (std::isfinite (run (e, i % 2 == 0 ? 1.0f : -1.0f, 0.0f).left)) << i;
}

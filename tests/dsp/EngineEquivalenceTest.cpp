// Long random renders through qDelaySyncCS and through the plain reference
// must agree bit for bit, whatever the settings, the order of the setter
// calls, the block sizes and the bypass toggling.

#include "dsp/qDelaySyncCS.h"
#include "tests/dsp/ReferenceEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <type_traits>
#include <vector>

namespace
{
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();

    struct Randomiser
    {
        explicit Randomiser (std::uint32_t seed) : rng (seed) {}

        float uniform (float lo, float hi) { return std::uniform_real_distribution<float> (lo, hi) (rng); }
        bool chance (double p)             { return std::bernoulli_distribution (p) (rng); }
        int between (int lo, int hi)       { return std::uniform_int_distribution<int> (lo, hi) (rng); }

        // A control value: usually in range, sometimes on the edges the
        // engine has to survive.
        float control (double oddChance = 0.05)
        {
            if (chance (oddChance))
            {
                static const float odd[] = { 0.0f, 1.0f, -0.25f, 1.5f, 12.0f, -1e30f, kNaN, kInf, -kInf, 0.99999994f };
                return odd[between (0, 9)];
            }
            return uniform (0.0f, 1.0f);
        }

        // Switches are on only at exactly 1.0; 0.99 and NaN must count as off.
        float toggle()
        {
            static const float values[] = { 0.0f, 1.0f, 1.0f, 0.99f, 0.0f, kNaN };
            return values[between (0, 5)];
        }

        float tempo()
        {
            static const float fixed[] = { 120.0f, 60.0f, 0.0f, 133.33f, 250.0f, -10.0f, kNaN };
            return chance (0.5) ? fixed[between (0, 6)] : uniform (20.0f, 300.0f);
        }

        // Delay controls: mostly musical, sometimes a few samples (short
        // combs feed back within the same few frames), sometimes odd.
        float delay (float sampleRate)
        {
            if (chance (0.15))
                return static_cast<float> (between (0, 3)) / sampleRate;
            return control (0.1);
        }

        std::mt19937 rng;
    };

    struct Settings
    {
        float preL, preR, delL, delR, fbL, fbR, sync, bpm, dotted, triplet, pingPong;
        float onL, onR, lpL, lpR, hpL, hpR, bpL, bpR, freqL, freqR, resL, resR, panL, panR;
    };

    Settings randomSettings (Randomiser& r, float sampleRate)
    {
        Settings s;
        s.preL = r.delay (sampleRate);   s.preR = r.delay (sampleRate);
        s.delL = r.delay (sampleRate);   s.delR = r.delay (sampleRate);
        s.fbL = r.control();             s.fbR = r.control();
        s.sync = r.toggle();             s.bpm = r.tempo();
        s.dotted = r.toggle();           s.triplet = r.toggle();
        s.pingPong = r.toggle();
        s.onL = r.toggle();  s.onR = r.toggle();
        s.lpL = r.toggle();  s.lpR = r.toggle();
        s.hpL = r.toggle();  s.hpR = r.toggle();
        s.bpL = r.toggle();  s.bpR = r.toggle();
        s.freqL = r.control();  s.freqR = r.control();
        s.resL = r.control();   s.resR = r.control();
        s.panL = r.control();   s.panR = r.control();
        return s;
    }

    // The 24 setters, as one call each; applied in the processor's order or
    // shuffled.
    template <typename Engine>
    void applySetter (Engine& e, const Settings& s, int which)
    {
        switch (which)
        {
            case 0:  e.setPreDelayLeft (s.preL); break;
            case 1:  e.setPreDelayRight (s.preR); break;
            case 2:  e.setDelayLeft (s.delL); break;
            case 3:  e.setDelayRight (s.delR); break;
            case 4:  e.setFeedbackLeft (s.fbL); break;
            case 5:  e.setFeedbackRight (s.fbR); break;
            case 6:  e.setSyncAndTempo (s.sync, s.bpm); break;
            case 7:  e.setDotted (s.dotted); break;
            case 8:  e.setTriplet (s.triplet); break;
            case 9:  e.setPingPong (s.pingPong); break;
            case 10: e.setFilterOnLeft (s.onL); break;
            case 11: e.setFilterOnRight (s.onR); break;
            case 12: e.setFilterLPLeft (s.lpL); break;
            case 13: e.setFilterLPRight (s.lpR); break;
            case 14: e.setFilterHPLeft (s.hpL); break;
            case 15: e.setFilterHPRight (s.hpR); break;
            case 16: e.setFilterBPLeft (s.bpL); break;
            case 17: e.setFilterBPRight (s.bpR); break;
            case 18: e.setFilterFreqLeft (s.freqL); break;
            case 19: e.setFilterFreqRight (s.freqR); break;
            case 20: e.setFilterResLeft (s.resL); break;
            case 21: e.setFilterResRight (s.resR); break;
            case 22: e.setPanLeft (s.panL); break;
            default: e.setPanRight (s.panR); break;
        }
    }

    std::uint32_t bitsOf (float f) { std::uint32_t b; std::memcpy (&b, &f, 4); return b; }

    // Renders `totalFrames` frames of noise bursts and silence through both
    // engines in blocks of random size and compares every output sample.
    void renderAndCompare (std::uint32_t seed, int totalFrames)
    {
        Randomiser r (seed);
        qDelaySyncCS engine;
        ReferenceEngine reference;

        static const float rates[] = { 44100.0f, 48000.0f, 96000.0f, 22050.0f };
        const float rate = rates[r.between (0, 3)];
        engine.setSampleRate (rate);
        reference.setSampleRate (rate);

        // The processor's first update sets every filter before any frame.
        Settings s = randomSettings (r, rate);
        for (int k = 0; k < 24; ++k) { applySetter (engine, s, k); applySetter (reference, s, k); }

        std::vector<float> block, expected;
        int done = 0;
        bool loud = true;
        long nonFinite = 0;
        double energy = 0.0;

        while (done < totalFrames)
        {
            // New settings for most blocks: all of them in the processor's
            // order, or a shuffled handful (the setters read each other's
            // fields as they stand, so order matters and must match).
            if (r.chance (0.7))
            {
                s = randomSettings (r, rate);
                if (r.chance (0.8))
                {
                    for (int k = 0; k < 24; ++k) { applySetter (engine, s, k); applySetter (reference, s, k); }
                }
                else
                {
                    for (int n = r.between (1, 12); n > 0; --n)
                    {
                        const int k = r.between (0, 23);
                        applySetter (engine, s, k);
                        applySetter (reference, s, k);
                    }
                }
            }
            if (r.chance (0.08))
            {
                const bool b = r.chance (0.5);
                engine.setBypass (b);
                reference.setBypass (b);
            }
            if (r.chance (0.01))
            {
                const float newRate = rates[r.between (0, 3)];
                engine.setSampleRate (newRate);
                reference.setSampleRate (newRate);
            }
            if (r.chance (0.1))
                loud = ! loud;

            const int frames = std::min (totalFrames - done, r.chance (0.1) ? r.between (1, 4) : r.between (1, 700));
            block.resize (2 * static_cast<size_t> (frames));
            for (float& x : block)
                x = loud ? r.uniform (-1.0f, 1.0f) : 0.0f;
            expected = block;

            for (int i = 0; i < frames; ++i)
                reference.processFrame (expected.data() + 2 * i, 2);

            // Both entry points of the engine: frame by frame and in blocks.
            if (r.chance (0.3))
                for (int i = 0; i < frames; ++i)
                    ASSERT_EQ (engine.processFrame (block.data() + 2 * i, 2), block.data() + 2 * i);
            else
                ASSERT_EQ (engine.processFrames (block.data(), frames), block.data());

            for (size_t i = 0; i < block.size(); ++i)
                ASSERT_EQ (bitsOf (block[i]), bitsOf (expected[i]))
                    << "seed " << seed << ", frame " << done + static_cast<int> (i / 2)
                    << (i % 2 == 0 ? " left: " : " right: ") << block[i] << " vs " << expected[i];

            for (float x : block)
            {
                nonFinite += std::isfinite (x) ? 0 : 1;
                energy += static_cast<double> (x) * x;
            }
            done += frames;
        }

        // Guard against a comparison that passes because nothing is heard.
        EXPECT_EQ (nonFinite, 0);
        EXPECT_GT (energy, 1.0);
    }
}

TEST (EngineEquivalence, LongRandomRendersMatchThePlainEngineBitForBit)
{
    for (std::uint32_t seed = 1; seed <= 12; ++seed)
    {
        SCOPED_TRACE (seed);
        renderAndCompare (seed, 400000);
        if (HasFatalFailure())
            return;
    }
}

TEST (EngineEquivalence, EveryFilterCombinationOnEitherLineMatches)
{
    // All 2^8 switch patterns of chain, LP, HP, BP on both lines, one after
    // the other on the same pair of engines (so filters switched out keep
    // their history and resume), with resonance and a moving frequency.
    qDelaySyncCS engine;
    ReferenceEngine reference;
    std::mt19937 rng (7);
    std::uniform_real_distribution<float> noise (-1.0f, 1.0f);

    for (int pattern = 0; pattern < 256; ++pattern)
    {
        auto setAll = [pattern] (auto& e, float freq)
        {
            e.setDelayLeft (0.0013f);  e.setDelayRight (0.0021f);
            e.setFeedbackLeft (0.7f);  e.setFeedbackRight (0.4f);
            e.setFilterOnLeft ((pattern & 1) ? 1.0f : 0.0f);
            e.setFilterLPLeft ((pattern & 2) ? 1.0f : 0.0f);
            e.setFilterHPLeft ((pattern & 4) ? 1.0f : 0.0f);
            e.setFilterBPLeft ((pattern & 8) ? 1.0f : 0.0f);
            e.setFilterOnRight ((pattern & 16) ? 1.0f : 0.0f);
            e.setFilterLPRight ((pattern & 32) ? 1.0f : 0.0f);
            e.setFilterHPRight ((pattern & 64) ? 1.0f : 0.0f);
            e.setFilterBPRight ((pattern & 128) ? 1.0f : 0.0f);
            e.setFilterFreqLeft (freq);          e.setFilterFreqRight (1.0f - freq);
            e.setFilterResLeft (0.8f);           e.setFilterResRight (0.3f);
            e.setPanLeft (0.2f);                 e.setPanRight (0.7f);
        };

        for (int blockIndex = 0; blockIndex < 8; ++blockIndex)
        {
            const float freq = 0.3f + 0.05f * static_cast<float> (blockIndex);
            setAll (engine, freq);
            setAll (reference, freq);

            float a[2 * 128], b[2 * 128];
            for (float& x : a) x = noise (rng);
            std::memcpy (b, a, sizeof a);
            engine.processFrames (a, 128);
            for (int i = 0; i < 128; ++i)
                reference.processFrame (b + 2 * i, 2);
            ASSERT_EQ (0, std::memcmp (a, b, sizeof a)) << "pattern " << pattern << ", block " << blockIndex;
        }
    }
}

namespace
{
    // A fixed render whose samples are summarised in one number; the number
    // is the same for Debug and Release builds and for the portable lane
    // code, so a build that rounds differently anywhere shows up here.
    template <typename Engine>
    std::uint64_t fixedRenderFingerprint()
    {
        Engine e;
        e.setSampleRate (44100.0f);
        std::uint32_t noise = 12345u;
        auto next = [&noise] { noise = noise * 1664525u + 1013904223u; return static_cast<float> (noise >> 8) / 8388608.0f - 1.0f; };

        std::uint64_t hash = 1469598103934665603ull;
        std::vector<float> block (2 * 2048);

        for (int b = 0; b < 24; ++b)
        {
            const float f = static_cast<float> (b) / 23.0f;
            const float on = (b % 3 != 0) ? 1.0f : 0.0f;
            e.setPreDelayLeft (0.01f * f);
            e.setPreDelayRight (0.02f);
            e.setDelayLeft (0.03f + 0.1f * f);
            e.setDelayRight (0.7f * f);
            e.setFeedbackLeft (0.6f);
            e.setFeedbackRight (0.9f - 0.5f * f);
            e.setSyncAndTempo ((b / 4) % 2 == 1 ? 1.0f : 0.0f, 97.5f + static_cast<float> (b));
            e.setDotted (b % 5 == 2 ? 1.0f : 0.0f);
            e.setTriplet (b % 7 == 3 ? 1.0f : 0.0f);
            e.setPingPong (b >= 12 ? 1.0f : 0.0f);
            e.setFilterOnLeft (on);
            e.setFilterOnRight (b % 2 == 0 ? 1.0f : 0.0f);
            e.setFilterLPLeft (1.0f);
            e.setFilterLPRight (b % 4 < 2 ? 1.0f : 0.0f);
            e.setFilterHPLeft (b % 3 == 1 ? 1.0f : 0.0f);
            e.setFilterHPRight (1.0f);
            e.setFilterBPLeft (b % 2 == 1 ? 1.0f : 0.0f);
            e.setFilterBPRight (b % 5 < 3 ? 1.0f : 0.0f);
            e.setFilterFreqLeft (0.2f + 0.6f * f);
            e.setFilterFreqRight (0.9f - 0.7f * f);
            e.setFilterResLeft (f);
            e.setFilterResRight (0.5f);
            e.setPanLeft (0.3f * f);
            e.setPanRight (0.1f);
            e.setBypass (b == 9 || b == 17);

            for (size_t i = 0; i < block.size(); ++i)
                block[i] = (b % 6 == 5) ? 0.0f : next();
            bool inOneRun = false;
            if constexpr (std::is_same_v<Engine, qDelaySyncCS>)
            {
                inOneRun = b % 2 == 0;
                if (inOneRun)
                    e.processFrames (block.data(), 2048);
            }
            if (! inOneRun)
                for (int i = 0; i < 2048; ++i)
                    e.processFrame (block.data() + 2 * i, 2);

            for (float x : block)
            {
                hash ^= bitsOf (x);
                hash *= 1099511628211ull;
            }
        }
        return hash;
    }

    constexpr std::uint64_t kFixedRenderFingerprint = 0x3436cd8b900ca65full;
}

TEST (EngineEquivalence, FixedRenderIsTheSameInEveryBuild)
{
    const std::uint64_t engine = fixedRenderFingerprint<qDelaySyncCS>();
    EXPECT_EQ (engine, fixedRenderFingerprint<ReferenceEngine>());
    EXPECT_EQ (engine, kFixedRenderFingerprint) << std::hex << "0x" << engine;
}

#include <gtest/gtest.h>
#include "dsp/qDelaySyncCS.h"
#include "processor/DemoJuceFilter.h"
#include "tests/support/MessagePump.h"
#include <cmath>
#include <random>
#include <vector>

using namespace ParameterTable;

namespace
{
/** Stands in for the host: answers position queries from a record it holds. */
struct FakeHost : FilterNativeCallbacks
{
    bool queryHostPosition (HostPosition& p) override
    {
        ++queries;
        if (! available)
            return false;
        p = position;
        return true;
    }

    void reportParameterChange (int, float) override {}

    HostPosition position = [] { auto p = HostPosition::defaults(); p.smpteFrameRate = 99; return p; }();
    bool available = true;
    int queries = 0;
};

class AudioPath : public ::testing::Test
{
protected:
    AudioPath()
    {
        filter.numInputChannels = filter.numOutputChannels = 2;
        filter.attachHost (&host);
        filter.prepareToProcess (48000.0, 512);
    }

    /** Runs one block; the output arrays are separate from the input unless inPlace. */
    void run (std::vector<float>& left, std::vector<float>& right, bool accumulate = false)
    {
        float* channels[2] = { left.data(), right.data() };
        juce::AudioBuffer<float> in (channels, 2, (int) left.size());
        juce::AudioBuffer<float> out (channels, 2, (int) left.size());
        juce::MidiBuffer midi;
        filter.processBlock (in, out, accumulate, midi);
    }

    static std::vector<float> noise (size_t n, unsigned seed)
    {
        std::mt19937 rng (seed);
        std::uniform_real_distribution<float> d (-1.0f, 1.0f);
        std::vector<float> v (n);
        for (auto& x : v) x = d (rng);
        return v;
    }

    juce::ScopedJuceInitialiser_GUI juce;
    FakeHost host;
    DemoJuceFilter filter;
};

TEST_F (AudioPath, PowerOffPassesTheSelectedInputWhateverTheMixAndOutput)
{
    struct Case { float power; float leftSel; float rightSel; };
    for (const auto& c : { Case { 0.0f, 0, 0 }, Case { 0.99f, 0, 0 }, Case { 0.0f, 1, 0 }, Case { 0.0f, 0, 1 }, Case { 0.0f, 1, 1 } })
    {
        filter.setParameter (fOnButton, c.power);
        filter.setParameter (fLeftSelButton, c.leftSel);
        filter.setParameter (fRightSelButton, c.rightSel);
        filter.setParameter (fMixLeft, 0.8f);
        filter.setParameter (fOutputRight, 1.0f);
        filter.setParameter (fDelayLeft, 0.01f);
        filter.setParameter (fFeedbackLeft, 0.9f);

        auto l = noise (256, 1), r = noise (256, 2);
        const auto inL = l, inR = r;
        run (l, r);

        for (size_t i = 0; i < l.size(); ++i)
        {
            const float expectL = c.leftSel != 0 ? inL[i] : (c.rightSel != 0 ? inR[i] : inL[i]);
            const float expectR = c.leftSel != 0 ? inL[i] : inR[i];
            // (1 - mix) * x + x * mix equals x up to rounding.
            ASSERT_NEAR (l[i], expectL, 1e-6f) << "power " << c.power << " sel " << c.leftSel << c.rightSel << " at " << i;
            ASSERT_NEAR (r[i], expectR, 1e-6f) << "power " << c.power << " sel " << c.leftSel << c.rightSel << " at " << i;
        }
    }
}

TEST_F (AudioPath, OutputLevelMapsMinus12To12Decibels)
{
    struct Case { float control; float gain; };
    for (const auto& c : { Case { 0.0f, 0.25118f }, Case { 0.25f, 0.50118f }, Case { 0.5f, 1.0f },
                           Case { 0.75f, 1.99528f }, Case { 1.0f, 3.98114f } })
    {
        filter.setParameter (fOutputLeft, c.control);
        filter.setParameter (fOutputRight, 1.0f - c.control);
        filter.updateEngine();
        EXPECT_NEAR (filter.getOutputGainLeft(), c.gain, 1e-5f) << c.control;
        EXPECT_EQ (filter.getOutputGainLeft(), (float) std::pow (1.1220200061798096, (double) (c.control * 24.0f - 12.0f)));
    }

    filter.setParameter (fOnButton, 0.0f);
    filter.updateEngine();
    EXPECT_EQ (filter.getOutputGainLeft(), 1.0f);
    EXPECT_EQ (filter.getOutputGainRight(), 1.0f);
}

TEST_F (AudioPath, MixBlendsDryInputWithAReferenceEngineRunSampleForSample)
{
    // The same engine settings driven directly: the processor must add
    // exactly the dry part and the output gain around it.
    qDelaySyncCS reference;
    reference.setSampleRate (48000.0f);

    filter.setParameter (fDelayLeft, 0.003f);
    filter.setParameter (fDelayRight, 0.002f);
    filter.setParameter (fFeedbackLeft, 0.5f);
    filter.setParameter (fFeedbackRight, 0.25f);
    filter.setParameter (fMixLeft, 0.3f);
    filter.setParameter (fMixRight, 1.0f);
    filter.setParameter (fOutputLeft, 0.6f);
    filter.setParameter (fPanLeft, 0.2f);

    reference.setPreDelayLeft (0.0f);
    reference.setPreDelayRight (0.0f);
    reference.setDelayLeft (0.003f);
    reference.setDelayRight (0.002f);
    reference.setFeedbackLeft (0.5f);
    reference.setFeedbackRight (0.25f);
    reference.setSyncAndTempo (0.0f, 120.0f);
    reference.setFilterOnLeft (1.0f);
    reference.setFilterOnRight (1.0f);
    reference.setFilterLPLeft (1.0f);
    reference.setFilterLPRight (1.0f);
    reference.setFilterFreqLeft (0.0f);
    reference.setFilterFreqRight (0.0f);
    reference.setFilterResLeft (0.0f);
    reference.setFilterResRight (0.0f);
    reference.setPanLeft (0.2f);

    auto l = noise (1024, 3), r = noise (1024, 4);
    const auto inL = l, inR = r;
    run (l, r);

    const float gainLeft = (float) std::pow (1.1220200061798096, (double) (0.6f * 24.0f - 12.0f));
    for (size_t i = 0; i < l.size(); ++i)
    {
        float frame[2] = { inL[i], inR[i] };
        reference.processFrame (frame, 2);
        ASSERT_EQ (l[i], ((1.0f - 0.3f) * inL[i] + frame[0] * 0.3f) * gainLeft) << i;
        ASSERT_EQ (r[i], ((1.0f - 1.0f) * inR[i] + frame[1] * 1.0f) * 1.0f) << i;
    }
}

TEST_F (AudioPath, MismatchedChannelCountsGiveSilenceOrLeaveAccumulatedOutputAlone)
{
    std::vector<float> mono (64, 0.5f), outL (64, 0.25f), outR (64, 0.25f);
    float* in[1] = { mono.data() };
    float* out[2] = { outL.data(), outR.data() };
    juce::MidiBuffer midi;

    juce::AudioBuffer<float> monoIn (in, 1, 64);
    juce::AudioBuffer<float> stereoOut (out, 2, 64);
    filter.processBlock (monoIn, stereoOut, true, midi);
    EXPECT_EQ (outL, std::vector<float> (64, 0.25f));

    filter.processBlock (monoIn, stereoOut, false, midi);
    EXPECT_EQ (outL, std::vector<float> (64, 0.0f));
    EXPECT_EQ (outR, std::vector<float> (64, 0.0f));

    outL.assign (64, 0.25f);
    juce::AudioBuffer<float> stereoIn (out, 2, 64);
    juce::AudioBuffer<float> monoOut (in, 1, 64);
    filter.processBlock (stereoIn, monoOut, false, midi);
    EXPECT_EQ (mono, std::vector<float> (64, 0.0f));
}

TEST_F (AudioPath, AccumulationAddsTheResultToTheOutput)
{
    filter.setParameter (fOnButton, 0.0f);   // result = input, so the sum is easy to state
    std::vector<float> inL (32, 0.5f), inR (32, -0.5f), outL (32, 1.0f), outR (32, 1.0f);
    float* in[2] = { inL.data(), inR.data() };
    float* out[2] = { outL.data(), outR.data() };
    juce::AudioBuffer<float> input (in, 2, 32), output (out, 2, 32);
    juce::MidiBuffer midi;
    filter.processBlock (input, output, true, midi);
    EXPECT_EQ (outL, std::vector<float> (32, 1.5f));
    EXPECT_EQ (outR, std::vector<float> (32, 0.5f));
}

TEST_F (AudioPath, EmptyBlockStillUpdatesTheEngineAndAsksForThePosition)
{
    filter.setParameter (fDelayLeft, 0.25f);
    std::vector<float> l, r;
    run (l, r);
    EXPECT_EQ (filter.getEngine().getDelayTimeLeft(), 0.25f);
    EXPECT_EQ (host.queries, 1);
}

TEST_F (AudioPath, PositionChangesAloneRaiseChangeMessages)
{
    std::vector<float> l (16), r (16);
    run (l, r);   // takes over the host's record
    qvtest::pumpMessages();
    qvtest::ChangeCounter changes (filter);

    run (l, r);
    run (l, r);
    qvtest::pumpMessagesFor (40);
    EXPECT_EQ (changes.count, 0);

    host.position.tempoBpm = 90.0;
    run (l, r);
    qvtest::pumpMessagesFor (40);
    EXPECT_EQ (changes.count, 1);
    {
        const juce::ScopedLock sl (filter.processLock);
        EXPECT_EQ (filter.lastHostPosition.tempoBpm, 90.0);
    }

    // No answer: the defaults, silently.
    host.available = false;
    run (l, r);
    qvtest::pumpMessagesFor (40);
    EXPECT_EQ (changes.count, 1);
    EXPECT_EQ (filter.lastHostPosition, HostPosition::defaults());
}

TEST_F (AudioPath, SyncTempoAndPingPongReachTheDelayTimesOneBlockLate)
{
    std::vector<float> l (8), r (8);
    filter.setParameter (fDelayLeft, 0.5f);
    run (l, r);
    EXPECT_EQ (filter.getEngine().getDelayTimeLeft(), 0.5f);   // free: 0.5 s

    filter.setParameter (fDelaySyncButton, 1.0f);
    run (l, r);
    EXPECT_EQ (filter.getEngine().getDelayTimeLeft(), 0.5f);   // the switch lands after the time was set
    run (l, r);
    EXPECT_EQ (filter.getEngine().getDelayTimeLeft(), 0.25f);  // an eighth at 120 BPM

    host.position.tempoBpm = 60.0;
    run (l, r);                                                 // the block stores the new tempo
    run (l, r);                                                 // the next update hands it to the engine
    EXPECT_EQ (filter.getEngine().getDelayTimeLeft(), 0.25f);
    run (l, r);
    EXPECT_EQ (filter.getEngine().getDelayTimeLeft(), 0.5f);

    filter.setParameter (fPingPongModeButton, 1.0f);
    run (l, r);
    EXPECT_EQ (filter.getEngine().getPreDelayTimeLeft(), 0.0f);
    run (l, r);
    EXPECT_EQ (filter.getEngine().getPreDelayTimeLeft(), 0.25f); // half the left delay
    EXPECT_EQ (filter.getEngine().getPreDelayTimeRight(), 0.0f);
}
}

#include "tests/plugin/ModuleFixture.h"
#include <algorithm>
#include <cmath>
#include <vector>

using namespace vst;

namespace
{
/** Audio through the module's own processReplacing, bypassing the host
    library's resume logic so the module's is what runs. */
class ModuleAudio : public qvtest::ModuleFixture
{
protected:
    void SetUp() override
    {
        ModuleFixture::SetUp();
        // One clean echo on the left: 0.1 s, no feedback, no filters, all wet.
        plugin->setParameter (12, 0.1f);   // fDelayLeft
        plugin->setParameter (18, 0.0f);   // fFilterOnButton
        plugin->setParameter (22, 0.0f);   // fFilterOnButtonB
        plugin->setParameter (30, 1.0f);   // fMixLeft
    }

    /** Sends an impulse through a fresh stretch of silence; the sample where the echo lands. */
    int echoPosition()
    {
        std::vector<float> l (12000, 0.0f), r (12000, 0.0f), outL (12000), outR (12000);
        l[0] = 1.0f;
        float* in[2] = { l.data(), r.data() };
        float* out[2] = { outL.data(), outR.data() };
        auto* e = const_cast<AEffect*> (&plugin->effect());
        e->processReplacing (e, in, out, (int32_t) l.size());

        const auto peak = std::max_element (outL.begin(), outL.end(), [] (float a, float b) { return std::abs (a) < std::abs (b); });
        return std::abs (*peak) > 0.5f ? (int) (peak - outL.begin()) : -1;
    }

    void mainsChanged (bool on) { plugin->dispatch (effMainsChanged, 0, on ? 1 : 0); }
    void sampleRate (float rate) { plugin->dispatch (effSetSampleRate, 0, 0, nullptr, rate); }
};

TEST_F (ModuleAudio, ProcessingBeforeAnyResumeUsesTheRateTheHostSet)
{
    sampleRate (48000.0f);
    EXPECT_EQ (echoPosition(), 4800);
}

TEST_F (ModuleAudio, RateChangesReachTheEngineAtTheNextResume)
{
    sampleRate (44100.0f);
    mainsChanged (true);
    sampleRate (96000.0f);
    EXPECT_EQ (echoPosition(), 4410);

    mainsChanged (false);
    mainsChanged (true);
    EXPECT_EQ (echoPosition(), 9600);

    // After a suspend the next block resumes first, at the rate set meanwhile.
    mainsChanged (false);
    sampleRate (48000.0f);
    EXPECT_EQ (echoPosition(), 4800);
}

TEST_F (ModuleAudio, NonPositiveHostRatesFallBackTo44100)
{
    for (float bad : { 0.0f, -48000.0f, std::nanf ("") })
    {
        mainsChanged (false);
        sampleRate (bad);
        mainsChanged (true);
        EXPECT_EQ (echoPosition(), 4410) << bad;
    }
}

TEST_F (ModuleAudio, AsksForTheTimeInfoAfterEveryBlock)
{
    plugin->clearRecords();
    std::vector<float> l (64), r (64);
    float* ch[2] = { l.data(), r.data() };
    auto* e = const_cast<AEffect*> (&plugin->effect());
    for (int i = 0; i < 3; ++i)
        e->processReplacing (e, ch, ch, 64);
    e->processReplacing (e, ch, ch, 0);

    int queries = 0;
    for (const auto& call : plugin->hostCalls())
        if (call.opcode == audioMasterGetTime)
        {
            ++queries;
            EXPECT_EQ (call.value, 0xEE00);
        }
    EXPECT_EQ (queries, 4);
}

TEST_F (ModuleAudio, OddHostBuffersAreSurvived)
{
    auto* e = const_cast<AEffect*> (&plugin->effect());
    std::vector<float> l (256, 0.5f), r (256, 0.5f);
    float* ch[2] = { l.data(), r.data() };
    float* holes[2] = { l.data(), nullptr };

    e->processReplacing (e, nullptr, ch, 256);
    e->processReplacing (e, ch, nullptr, 256);
    e->processReplacing (e, holes, ch, 256);
    e->processReplacing (e, ch, ch, -5);
    e->process (e, ch, ch, 256);                  // the deprecated call leaves outputs alone
    EXPECT_EQ (l, std::vector<float> (256, 0.5f));

    // In place: input and output are the same arrays, as many hosts do it.
    plugin->setParameter (0, 0.0f);               // power off: output = input
    e->processReplacing (e, ch, ch, 256);
    for (float v : l)
        EXPECT_NEAR (v, 0.5f, 1e-6f);
}
}

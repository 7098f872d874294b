// Cost per stereo frame of the whole plug-in as a host sees it: the module
// loaded with the project's host library, driven through processReplacing.
#include <benchmark/benchmark.h>
#include "host/PluginInstance.h"
#include "host/VstModule.h"
#include <random>
#include <vector>

namespace
{
constexpr int blockSize = 512;

struct Rig
{
    explicit Rig (bool filters)
    {
        module = qvhost::VstModule::load (QV_BENCH_MODULE);
        plugin = std::make_unique<qvhost::PluginInstance> (module, 48000.0, blockSize);
        plugin->open();

        plugin->setParameter (12, 0.3f);   // fDelayLeft
        plugin->setParameter (13, 0.3f);   // fDelayRight
        plugin->setParameter (14, 0.5f);   // fFeedbackLeft
        plugin->setParameter (15, 0.5f);   // fFeedbackRight
        const float on = filters ? 1.0f : 0.0f;
        for (int index : { 18, 19, 20, 21, 22, 23, 24, 25 })   // filter sections with LP, HP and BP
            plugin->setParameter (index, on);
        plugin->setParameter (26, 0.6f);
        plugin->setParameter (28, 0.6f);
        plugin->setParameter (27, 0.3f);
        plugin->setParameter (29, 0.3f);
        plugin->resume();

        std::mt19937 rng (7);
        std::uniform_real_distribution<float> noise (-0.5f, 0.5f);
        for (auto* channel : { &inL, &inR })
        {
            channel->resize (blockSize);
            for (auto& s : *channel)
                s = noise (rng);
        }
        outL.resize (blockSize);
        outR.resize (blockSize);
    }

    void block()
    {
        float* in[2] = { inL.data(), inR.data() };
        float* out[2] = { outL.data(), outR.data() };
        effect->processReplacing (effect, in, out, blockSize);
    }

    std::shared_ptr<qvhost::VstModule> module;
    std::unique_ptr<qvhost::PluginInstance> plugin;
    vst::AEffect* effect = nullptr;
    std::vector<float> inL, inR, outL, outR;
};

void runBlocks (benchmark::State& state, bool filters)
{
    Rig rig (filters);
    // Straight through the record, as a host's audio thread calls it (the
    // host library's own wrapper adds bookkeeping of its own).
    rig.effect = const_cast<vst::AEffect*> (&rig.plugin->effect());

    for (int i = 0; i < 200; ++i)
        rig.block();

    for (auto _ : state)
    {
        rig.block();
        benchmark::DoNotOptimize (rig.outL.data());
    }

    state.SetItemsProcessed ((int64_t) state.iterations() * blockSize);
    // Seconds per stereo frame of CPU time, shown with an SI prefix ("7.1n").
    state.counters["per_frame"] = benchmark::Counter (blockSize, benchmark::Counter::kIsIterationInvariantRate
                                                                     | benchmark::Counter::kInvert);
}

void BM_ModuleNoFilters (benchmark::State& state)   { runBlocks (state, false); }
void BM_ModuleAllFilters (benchmark::State& state)  { runBlocks (state, true); }

BENCHMARK (BM_ModuleNoFilters)->Unit (benchmark::kMicrosecond);
BENCHMARK (BM_ModuleAllFilters)->Unit (benchmark::kMicrosecond);
}

BENCHMARK_MAIN();

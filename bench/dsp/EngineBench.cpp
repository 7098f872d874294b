// Cost of the stereo engine per frame at 48 kHz, delay 0.3 s, feedback 0.5:
// without filters, with LP+HP+BP in both lines, frame by frame and in blocks,
// against the plain one-line-after-the-other reference, and on silence that
// follows a loud signal (where subnormal numbers would show up as a slowdown).

#include "dsp/qDelaySyncCS.h"
#include "tests/dsp/ReferenceEngine.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace
{
    constexpr float kRate = 48000.0f;

    template <typename Engine>
    void configure (Engine& e, bool filters)
    {
        const float on = filters ? 1.0f : 0.0f;
        e.setSampleRate (kRate);
        e.setPreDelayLeft (0.0f);   e.setPreDelayRight (0.0f);
        e.setDelayLeft (0.3f);      e.setDelayRight (0.3f);
        e.setFeedbackLeft (0.5f);   e.setFeedbackRight (0.5f);
        e.setSyncAndTempo (0.0f, 120.0f);
        e.setDotted (0.0f);  e.setTriplet (0.0f);  e.setPingPong (0.0f);
        e.setFilterOnLeft (on);  e.setFilterOnRight (on);
        e.setFilterLPLeft (on);  e.setFilterLPRight (on);
        e.setFilterHPLeft (on);  e.setFilterHPRight (on);
        e.setFilterBPLeft (on);  e.setFilterBPRight (on);
        e.setFilterFreqLeft (0.5f);  e.setFilterFreqRight (0.5f);
        e.setFilterResLeft (0.5f);   e.setFilterResRight (0.5f);
        e.setPanLeft (0.0f);  e.setPanRight (0.0f);
    }

    std::vector<float> noise (int frames)
    {
        std::mt19937 rng (1);
        std::uniform_real_distribution<float> d (-1.0f, 1.0f);
        std::vector<float> v (2 * static_cast<size_t> (frames));
        for (float& x : v)
            x = d (rng);
        return v;
    }

    constexpr int kBlock = 512;

    void report (benchmark::State& state)
    {
        state.SetItemsProcessed (state.iterations() * kBlock);
        state.counters["ns_per_frame"] = benchmark::Counter (static_cast<double> (state.iterations() * kBlock),
                                                             benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    }

    // Each iteration processes one 512-frame block of fresh input, the way
    // a host block arrives (the engine works in place, so the input is
    // copied in first; the copy is part of the measured cost).
    template <typename Engine, typename Process>
    void runBlocks (benchmark::State& state, Engine& engine, const std::vector<float>& input, Process process)
    {
        std::vector<float> block (2 * kBlock);
        size_t offset = 0;
        for (auto _ : state)
        {
            std::copy (input.begin() + static_cast<long> (offset), input.begin() + static_cast<long> (offset + block.size()), block.begin());
            process (engine, block.data());
            benchmark::DoNotOptimize (block.data());
            benchmark::ClobberMemory();
            offset = (offset + block.size()) % (input.size() - block.size());
        }
        report (state);
    }

    void byBlock (qDelaySyncCS& e, float* data)    { e.processFrames (data, kBlock); }

    template <typename Engine>
    void byFrame (Engine& e, float* data)
    {
        for (int i = 0; i < kBlock; ++i)
            e.processFrame (data + 2 * i, 2);
    }

    void BM_Engine_Blocks (benchmark::State& state)
    {
        qDelaySyncCS engine;
        configure (engine, state.range (0) != 0);
        runBlocks (state, engine, noise (1 << 16), byBlock);
    }

    void BM_Engine_Frames (benchmark::State& state)
    {
        qDelaySyncCS engine;
        configure (engine, state.range (0) != 0);
        runBlocks (state, engine, noise (1 << 16), byFrame<qDelaySyncCS>);
    }

    void BM_Reference_Frames (benchmark::State& state)
    {
        ReferenceEngine engine;
        configure (engine, state.range (0) != 0);
        runBlocks (state, engine, noise (1 << 16), byFrame<ReferenceEngine>);
    }

    // Steady: loud input throughout. After silence: one second of loud
    // input, sixty seconds of exact zeros (not measured), then zeros measured.
    template <typename Engine, typename Process>
    void silenceCase (benchmark::State& state, Engine& engine, Process process, bool afterSilence)
    {
        configure (engine, true);
        std::vector<float> loud = noise (1 << 16);
        if (! afterSilence)
        {
            runBlocks (state, engine, loud, process);
            return;
        }

        std::vector<float> block (2 * kBlock);
        for (int n = 0; n < static_cast<int> (kRate) / kBlock; ++n)
        {
            std::copy (loud.begin() + n % 64 * 2 * kBlock, loud.begin() + (n % 64 + 1) * 2 * kBlock, block.begin());
            process (engine, block.data());
        }
        for (int n = 0; n < 60 * static_cast<int> (kRate) / kBlock; ++n)
        {
            std::fill (block.begin(), block.end(), 0.0f);
            process (engine, block.data());
        }
        runBlocks (state, engine, std::vector<float> (4 * kBlock, 0.0f), process);
    }

    void BM_Engine_Silence (benchmark::State& state)
    {
        qDelaySyncCS engine;
        if (state.range (1) != 0)
            silenceCase (state, engine, byFrame<qDelaySyncCS>, state.range (0) != 0);
        else
            silenceCase (state, engine, byBlock, state.range (0) != 0);
    }

    void BM_Reference_Silence (benchmark::State& state)
    {
        ReferenceEngine engine;
        silenceCase (state, engine, byFrame<ReferenceEngine>, state.range (0) != 0);
    }
}

// The machine is shared: the fastest of several repetitions is the figure
// least disturbed by other work (run with --benchmark_repetitions=N).
static double fastest (const std::vector<double>& v) { return *std::min_element (v.begin(), v.end()); }

BENCHMARK (BM_Engine_Blocks)->ArgName ("filters")->Arg (0)->Arg (1)->ComputeStatistics ("min", fastest);
BENCHMARK (BM_Engine_Frames)->ArgName ("filters")->Arg (0)->Arg (1)->ComputeStatistics ("min", fastest);
BENCHMARK (BM_Reference_Frames)->ArgName ("filters")->Arg (0)->Arg (1)->ComputeStatistics ("min", fastest);
BENCHMARK (BM_Engine_Silence)->ArgNames ({ "afterSilence", "byFrame" })->ArgsProduct ({ { 0, 1 }, { 0, 1 } })->ComputeStatistics ("min", fastest);
BENCHMARK (BM_Reference_Silence)->ArgName ("afterSilence")->Arg (0)->Arg (1)->ComputeStatistics ("min", fastest);

BENCHMARK_MAIN();

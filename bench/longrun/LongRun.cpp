// Long run of the module as a host would drive it for a whole session.
//
// Audio: 48 kHz, alternating stretches of noise-and-tone (5 s) and silence
// (15 s), so every echo tail decays into the range where subnormal numbers
// would slow the processor down. Blocks: every size from 1 to 4096 in a
// shuffled order, again and again. Automation: before most blocks a few
// random parameters get random values (feedback below 1, switches 0 or 1),
// now and then a program change and a tempo change; the transport plays.
//
// Reported every 30 s of audio, then in total: cost per frame (ns) in the
// signal and in the silent stretches, the largest output, samples that were
// not finite, resident memory; in total also the cost per frame by block
// size. Flat cost and memory, and no non-finite sample, are what a healthy
// run shows. With --flush-denormals the processor runs with flush-to-zero
// and denormals-are-zero set: a run without it that costs the same had no
// subnormal numbers to slow it down.
#include "host/PluginInstance.h"
#include "host/VstModule.h"
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <numeric>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>
#include <xmmintrin.h>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int maxBlock = 4096;

double residentMegabytes()
{
    std::ifstream statm ("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return (double) resident * (double) sysconf (_SC_PAGESIZE) / (1024.0 * 1024.0);
}

bool isSwitch (int index)
{
    return index <= 6 || (index >= 9 && index <= 11) || (index >= 18 && index <= 25);
}

struct Window
{
    double signalNs = 0, silenceNs = 0;
    long signalFrames = 0, silenceFrames = 0;
    float peak = 0;
    long nonFinite = 0;

    void add (const Window& w)
    {
        signalNs += w.signalNs; silenceNs += w.silenceNs;
        signalFrames += w.signalFrames; silenceFrames += w.silenceFrames;
        peak = std::max (peak, w.peak);
        nonFinite += w.nonFinite;
    }

    double signalCost() const { return signalFrames > 0 ? signalNs / (double) signalFrames : 0.0; }
    double silenceCost() const { return silenceFrames > 0 ? silenceNs / (double) silenceFrames : 0.0; }
};
}

int main (int argc, char** argv)
{
    double seconds = 600.0;
    uint32_t seed = 1;
    std::string module = QV_LONGRUN_MODULE;
    bool flushDenormals = false;

    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (arg == "--seconds" && i + 1 < argc)     seconds = std::atof (argv[++i]);
        else if (arg == "--seed" && i + 1 < argc)   seed = (uint32_t) std::atol (argv[++i]);
        else if (arg == "--module" && i + 1 < argc) module = argv[++i];
        else if (arg == "--flush-denormals")        flushDenormals = true;
        else
        {
            std::fprintf (stderr, "usage: qv_longrun [--seconds N] [--seed S] [--module PATH] [--flush-denormals]\n");
            return 2;
        }
    }

    auto plugin = std::make_unique<qvhost::PluginInstance> (qvhost::VstModule::load (module), sampleRate, maxBlock);
    plugin->open();
    plugin->timeline().setPlaying (true);
    plugin->resume();
    auto* effect = const_cast<vst::AEffect*> (&plugin->effect());

    std::mt19937 rng (seed);
    std::uniform_real_distribution<float> unit (0.0f, 1.0f);
    std::vector<int> sizes (maxBlock);
    std::iota (sizes.begin(), sizes.end(), 1);
    size_t nextSize = sizes.size();

    std::vector<float> inL (maxBlock), inR (maxBlock), outL (maxBlock), outR (maxBlock);
    const long totalFrames = (long) (seconds * sampleRate);
    const long reportFrames = (long) (30.0 * sampleRate);
    const long cycleFrames = (long) (20.0 * sampleRate), signalFrames = (long) (5.0 * sampleRate);
    long done = 0, nextReport = reportFrames;
    double phase = 0.0;
    uint32_t noise = seed;
    Window window, total;
    const double startMb = residentMegabytes();
    double lastMb = startMb;
    long automationEvents = 0;

    if (flushDenormals)
        _mm_setcsr (_mm_getcsr() | 0x8040);   // flush to zero, denormals are zero

    // Cost by block size: 1 ... 16, 17 ... 256, 257 ... 4096 frames.
    double bandNs[3] = {};
    long bandFrames[3] = {};

    std::printf ("%8s %12s %12s %10s %10s %9s\n", "audio s", "signal ns/f", "silence ns/f", "peak", "nonfinite", "RSS MB");
    const auto wallStart = std::chrono::steady_clock::now();

    while (done < totalFrames)
    {
        if (nextSize == sizes.size())
        {
            std::shuffle (sizes.begin(), sizes.end(), rng);
            nextSize = 0;
        }
        const int frames = (int) std::min<long> (sizes[nextSize++], totalFrames - done);

        // Automation before most blocks.
        if (rng() % 4 != 0)
        {
            for (int n = (int) (rng() % 4); n >= 0; --n)
            {
                const int index = (int) (rng() % 36);
                float v = unit (rng);
                if (isSwitch (index))
                    v = index == 0 ? (rng() % 16 != 0 ? 1.0f : 0.0f) : (float) (rng() % 2);
                if (index == 14 || index == 15)
                    v *= 0.99f;   // feedback below 1
                effect->setParameter (effect, index, v);
                ++automationEvents;
            }
        }
        if (rng() % 2000 == 0)
            effect->dispatcher (effect, vst::effSetProgram, 0, (intptr_t) (rng() % 128), nullptr, 0.0f);
        if (rng() % 1000 == 0)
            plugin->timeline().setTempo (60.0 + (double) (rng() % 120));

        const bool silent = (done % cycleFrames) >= signalFrames;
        for (int i = 0; i < frames; ++i)
        {
            if (silent)
            {
                inL[(size_t) i] = inR[(size_t) i] = 0.0f;
                continue;
            }
            noise = noise * 1664525u + 1013904223u;
            const float n = 0.2f * (float) (int32_t) noise / 2147483648.0f;
            phase += 2.0 * M_PI * 220.0 / sampleRate;
            const float tone = 0.3f * (float) std::sin (phase);
            inL[(size_t) i] = tone + n;
            inR[(size_t) i] = tone - n;
        }

        float* ins[2] = { inL.data(), inR.data() };
        float* outs[2] = { outL.data(), outR.data() };
        const auto t0 = std::chrono::steady_clock::now();
        effect->processReplacing (effect, ins, outs, frames);
        const auto ns = (double) std::chrono::duration_cast<std::chrono::nanoseconds> (std::chrono::steady_clock::now() - t0).count();
        plugin->timeline().advance (frames);

        (silent ? window.silenceNs : window.signalNs) += ns;
        const int band = frames <= 16 ? 0 : (frames <= 256 ? 1 : 2);
        bandNs[band] += ns;
        bandFrames[band] += frames;
        (silent ? window.silenceFrames : window.signalFrames) += frames;
        for (int i = 0; i < frames; ++i)
        {
            for (float x : { outL[(size_t) i], outR[(size_t) i] })
            {
                if (! std::isfinite (x))
                    ++window.nonFinite;
                else
                    window.peak = std::max (window.peak, std::abs (x));
            }
        }

        done += frames;

        if (done >= nextReport || done == totalFrames)
        {
            plugin->clearRecords();   // the host's own call log, not the module's memory
            lastMb = residentMegabytes();
            std::printf ("%8.0f %12.1f %12.1f %10.3g %10ld %9.1f\n", (double) done / sampleRate, window.signalCost(),
                         window.silenceCost(), (double) window.peak, window.nonFinite, lastMb);
            std::fflush (stdout);
            total.add (window);
            window = Window();
            nextReport += reportFrames;
        }
    }

    const double wall = std::chrono::duration<double> (std::chrono::steady_clock::now() - wallStart).count();
    std::printf ("\n%.0f s of audio in %.1f s, blocks of 1 ... %d frames, %ld parameter changes\n",
                 (double) done / sampleRate, wall, maxBlock, automationEvents);
    std::printf ("cost per frame: %.1f ns with signal, %.1f ns in silence (ratio %.2f)\n", total.signalCost(),
                 total.silenceCost(), total.silenceCost() / total.signalCost());
    std::printf ("cost per frame by block size: %.1f ns (1 ... 16), %.1f ns (17 ... 256), %.1f ns (257 ... 4096)\n",
                 bandNs[0] / (double) std::max (1L, bandFrames[0]), bandNs[1] / (double) std::max (1L, bandFrames[1]),
                 bandNs[2] / (double) std::max (1L, bandFrames[2]));
    std::printf ("largest output %.3g, samples not finite: %ld\n", (double) total.peak, total.nonFinite);
    std::printf ("resident memory: %.1f MB after start, %.1f MB at the end\n", startMb, lastMb);
    return total.nonFinite == 0 ? 0 : 1;
}

#include "tests/concurrency/ConcurrentHost.h"
#include "fuzz/PluginSnapshot.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <thread>

using namespace vst;

namespace
{
std::string modulePath()
{
    const char* dir = std::getenv ("QV_BUILD_DIR");
    return std::string (dir != nullptr ? dir : QV_TEST_BUILD_DIR) + "/QV-DelayTX.so";
}
}

const std::vector<int>& ConcurrentHost::automated()
{
    static const std::vector<int> list { 26, 27, 28, 29 };
    return list;
}

double ConcurrentHost::secondsToRun()
{
    const char* text = std::getenv ("QV_CONCURRENCY_SECONDS");
    const double s = text != nullptr ? std::atof (text) : 0.0;
    return s > 0.0 ? s : 2.0;
}

void ConcurrentHost::SetUp()
{
    module = qvhost::VstModule::load (modulePath());
    plugin = std::make_unique<qvhost::PluginInstance> (module, 48000.0, 1024);
    plugin->open();

    std::array<float, ValueSets::numParameters> defaults {};
    for (int i = 0; i < ValueSets::numParameters; ++i)
        defaults[(size_t) i] = plugin->getParameter (i);
    known.emplace (defaults);

    ASSERT_EQ (presetTemplate.parse (plugin->getChunk (true)), "");
    ASSERT_EQ (bankTemplate.parse (plugin->getChunk (false)), "");

    // Echoes with feedback from the start, so the engine has work to do.
    plugin->setParameter (12, ValueSets::value (12, 3));
    plugin->setParameter (14, ValueSets::value (14, 5));
    plugin->resume();
}

void ConcurrentHost::TearDown()
{
    plugin.reset();
    module.reset();
}

ConcurrentHost::AudioReport ConcurrentHost::runAudio (const std::atomic<bool>& stop)
{
    AudioReport report;
    std::vector<float> inL (1024), inR (1024), outL (1024), outR (1024);
    uint32_t noise = 12345;
    AEffect* e = effect();

    const auto problem = [&report] (std::string text)
    {
        if (report.problems.size() < 20)
            report.problems.push_back (std::move (text));
    };

    while (! stop.load())
    {
        noise = noise * 1664525u + 1013904223u;
        const int frames = 1 + (int) (noise >> 22);   // 1 ... 1024

        for (int i = 0; i < frames; ++i)
        {
            noise = noise * 1664525u + 1013904223u;
            inL[(size_t) i] = 0.25f * (float) (int32_t) noise / 2147483648.0f;
            inR[(size_t) i] = -inL[(size_t) i];
        }

        float* ins[2] = { inL.data(), inR.data() };
        float* outs[2] = { outL.data(), outR.data() };
        // Every other block in place, as many hosts do.
        e->processReplacing (e, ins, (report.blocks & 1) != 0 ? ins : outs, frames);
        const auto& out = (report.blocks & 1) != 0 ? inL : outL;
        const auto& outRight = (report.blocks & 1) != 0 ? inR : outR;

        for (int i = 0; i < frames; ++i)
            if (! std::isfinite (out[(size_t) i]) || ! std::isfinite (outRight[(size_t) i]))
            {
                problem ("block " + std::to_string (report.blocks) + " gave a sample that is not finite");
                break;
            }

        // Automation from the audio thread, as many hosts send it.
        const int index = automated()[(size_t) report.blocks % automated().size()];
        e->setParameter (e, index, ValueSets::value (index, (int) (noise >> 28)));

        for (int i = 0; i < ValueSets::numParameters; ++i)
        {
            const float v = e->getParameter (e, i);
            if (! known->isKnown (i, v))
                problem ("audio thread read " + std::to_string (v) + " for parameter " + std::to_string (i));
        }

        ++report.blocks;
        report.frames += frames;
    }

    return report;
}

void ConcurrentHost::runAndCompare (uint32_t seed, const SideThread& sideThread)
{
    using Clock = std::chrono::steady_clock;
    const ControlScript script (seed, 50000, automated(), presetTemplate, bankTemplate);
    std::atomic<bool> stop { false }, sideReady { ! sideThread };
    AudioReport audio;
    ControlScript::Outcome control;
    double controlSeconds = 0.0;

    {
        std::thread audioThread ([&] { audio = runAudio (stop); });
        std::thread side;
        if (sideThread)
            side = std::thread ([&] { sideThread (stop, sideReady); sideReady = true; });

        while (! sideReady.load())
            std::this_thread::sleep_for (std::chrono::milliseconds (5));

        const auto start = Clock::now();
        const auto deadline = start + std::chrono::milliseconds ((long) (secondsToRun() * 1000.0));
        std::thread controlThread ([&] { control = script.run (*plugin, *known, script.size(), deadline); });

        controlThread.join();
        controlSeconds = std::chrono::duration<double> (Clock::now() - start).count();
        stop = true;
        audioThread.join();
        if (side.joinable())
            side.join();
    }

    for (const auto& p : audio.problems)
        ADD_FAILURE() << "audio thread: " << p;
    for (const auto& p : control.problems)
        ADD_FAILURE() << "control thread: " << p;
    EXPECT_GT (audio.blocks, 10);
    EXPECT_GT (control.done, 20);
    std::printf ("[ figures  ] %d control operations in %.1f s beside %ld audio blocks (%ld frames)\n",
                 control.done, controlSeconds, audio.blocks, audio.frames);
    const auto replayStart = Clock::now();

    // The same operations alone, on a second instance.
    qvhost::PluginInstance model (module, 48000.0, 1024);
    model.open();
    model.setParameter (12, ValueSets::value (12, 3));
    model.setParameter (14, ValueSets::value (14, 5));
    const auto alone = script.run (model, *known, control.done, std::chrono::steady_clock::time_point::max());
    ASSERT_EQ (alone.done, control.done);

    const auto after = PluginSnapshot::take (*plugin);
    const auto expected = PluginSnapshot::take (model);
    std::printf ("[ figures  ] the same operations alone and both states read in %.1f s\n",
                 std::chrono::duration<double> (Clock::now() - replayStart).count());
    ASSERT_EQ (after.problem(), "");
    ASSERT_EQ (expected.problem(), "");

    const auto isAutomated = [] (int i) { return std::find (automated().begin(), automated().end(), i) != automated().end(); };

    EXPECT_EQ (after.currentProgram(), expected.currentProgram());
    EXPECT_EQ (after.currentProgramName(), expected.currentProgramName());

    for (int i = 0; i < PluginSnapshot::numParameters; ++i)
    {
        if (isAutomated (i))
            EXPECT_TRUE (known->isKnown (i, std::strtof (after.currentValueText (i).c_str(), nullptr))) << i;
        else
            EXPECT_EQ (after.currentValueText (i), expected.currentValueText (i)) << "parameter " << i;
    }

    for (int p = 0; p < PluginSnapshot::numPrograms; ++p)
    {
        EXPECT_EQ (after.recordName (p), expected.recordName (p)) << "program " << p;

        for (int i = 0; i < PluginSnapshot::numParameters; ++i)
        {
            if (isAutomated (i))
                EXPECT_TRUE (known->isKnown (i, std::strtof (after.recordValue (p, i).c_str(), nullptr))) << p << " " << i;
            else
                EXPECT_EQ (after.recordValue (p, i), expected.recordValue (p, i)) << "program " << p << " parameter " << i;
        }
    }
}

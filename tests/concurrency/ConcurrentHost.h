#pragma once
#include <gtest/gtest.h>
#include "fuzz/ChunkDocument.h"
#include "host/PluginInstance.h"
#include "host/VstModule.h"
#include "tests/concurrency/ControlScript.h"
#include "tests/concurrency/ValueSets.h"
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

/** One instance of the real module driven the way hosts drive it from
    several threads at once: an audio thread in processReplacing that also
    automates a few parameters, and a control thread running a ControlScript.
    Afterwards the state is compared with the same script run alone. */
class ConcurrentHost : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    /** The parameters the audio thread automates (filter frequencies and resonances). */
    static const std::vector<int>& automated();

    struct AudioReport
    {
        long blocks = 0;
        long frames = 0;
        std::vector<std::string> problems;
    };

    /** Processes blocks of 1 ... 1024 frames until stop is set; every block
        automates one parameter and checks the output is finite and every
        parameter reads a known value. */
    AudioReport runAudio (const std::atomic<bool>& stop);

    /** A third thread: runs until stop is set, and sets ready once it is
        doing what it is there for; the control thread starts only then. */
    using SideThread = std::function<void (const std::atomic<bool>& stop, std::atomic<bool>& ready)>;

    /** Runs the script on the control thread beside the audio thread (and
        the side thread, if any), then checks the final state against the
        script run alone on a second instance. */
    void runAndCompare (uint32_t seed, const SideThread& sideThread = {});

    static double secondsToRun();
    vst::AEffect* effect() const { return const_cast<vst::AEffect*> (&plugin->effect()); }

    std::shared_ptr<qvhost::VstModule> module;
    std::unique_ptr<qvhost::PluginInstance> plugin;
    std::optional<ValueSets> known;
    ChunkDocument presetTemplate, bankTemplate;
};

// The host's side of the conversation: answers to the module's callbacks, what is recorded,
// the time information, and the hook that lets a test act like another host.
#include "host/HostTimeline.h"
#include "host/PluginInstance.h"
#include "host/VstModule.h"
#include "tests/host/ProbeClient.h"
#include "tests/host/TestModules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace qvhost;
using namespace hosttest;

namespace
{

class HostCallbacks : public ::testing::Test
{
protected:
    std::shared_ptr<VstModule> module = VstModule::load (probePath ("probe-stereo"));
    PluginInstance instance { module, 48000.0, 256 };

    /** Runs one block through the probe, which asks for the time at its start. */
    void processBlock (int32_t frames = 64)
    {
        std::vector<float> in ((size_t) frames, 0.0f), out ((size_t) frames, 0.0f);
        float* channels[] = { in.data(), in.data() };
        float* outputs[] = { out.data(), out.data() };
        instance.process (channels, outputs, frames);
        instance.timeline().advance (frames);
    }
};

TEST_F (HostCallbacks, AnswersTheQuestionsAModuleAsks)
{
    const std::pair<int32_t, intptr_t> answers[] = {
        { vst::audioMasterVersion, 2400 },
        { vst::audioMasterGetSampleRate, 48000 },
        { vst::audioMasterGetBlockSize, 256 },
        { vst::audioMasterGetVendorVersion, PluginInstance::hostVendorVersion },
        { vst::audioMasterCurrentId, 0 },
        { vst::audioMasterGetCurrentProcessLevel, 1 },   // not inside an audio call
        { vst::audioMasterGetAutomationState, 1 },       // off
        { vst::audioMasterGetLanguage, 1 },              // English
        { vst::audioMasterGetInputLatency, 0 },
        { 99, 0 },                                       // unknown opcodes are declined
    };
    for (const auto& [opcode, expected] : answers)
        EXPECT_EQ (probeCallsHost (instance, opcode), expected) << "opcode " << opcode;

    char text[65];
    std::memset (text, 'x', sizeof (text));
    EXPECT_EQ (probeCallsHost (instance, vst::audioMasterGetVendorString, 0, 0, text), 1);
    EXPECT_STREQ (text, "Quarvel");
    EXPECT_EQ (probeCallsHost (instance, vst::audioMasterGetProductString, 0, 0, text), 1);
    EXPECT_STREQ (text, "qvhost");
    EXPECT_EQ (probeCallsHost (instance, vst::audioMasterGetVendorString, 0, 0, nullptr), 1) << "null buffer ignored";

    const auto* folder = reinterpret_cast<const char*> (probeCallsHost (instance, vst::audioMasterGetDirectory));
    ASSERT_NE (folder, nullptr);
    EXPECT_EQ (std::string (folder), module->folder());
}

TEST_F (HostCallbacks, CanDoAnswersYesNoOrDontKnowAndCanBeChanged)
{
    auto ask = [this] (const char* text) { return probeCallsHost (instance, vst::audioMasterCanDo, 0, 0, const_cast<char*> (text)); };
    EXPECT_EQ (ask ("sendVstTimeInfo"), 1);
    EXPECT_EQ (ask ("sizeWindow"), 1);
    EXPECT_EQ (ask ("startStopProcess"), 1);
    EXPECT_EQ (ask ("sendVstEvents"), -1);
    EXPECT_EQ (ask ("supplyIdle"), -1);
    EXPECT_EQ (ask ("SizeWindow"), 0) << "texts compare exactly";
    EXPECT_EQ (ask ("noSuchThing"), 0);
    EXPECT_EQ (probeCallsHost (instance, vst::audioMasterCanDo, 0, 0, nullptr), 0);

    instance.setHostCanDo ("sizeWindow", 0);
    EXPECT_EQ (ask ("sizeWindow"), 0);

    const auto calls = instance.hostCalls();
    ASSERT_FALSE (calls.empty());
    EXPECT_EQ (calls.back().opcode, vst::audioMasterCanDo);
    EXPECT_EQ (calls.back().text, "sizeWindow");
}

TEST_F (HostCallbacks, CallsDuringTheEntryReachTheInstanceBeingMade)
{
    // The probe asks for the sample rate and block size before its entry returns.
    PluginInstance other (module, 96000.0, 128);
    const auto report = probeReport (other);
    EXPECT_EQ (report.sampleRateAtEntry, 96000);
    EXPECT_EQ (report.blockSizeAtEntry, 128);
    EXPECT_EQ (other.countHostCalls (vst::audioMasterVersion), 1u);
}

TEST_F (HostCallbacks, RecordsAutomationInOrderWithIndexAndValue)
{
    probeCallsHost (instance, vst::audioMasterAutomate, 3, 0, nullptr, 0.25f);
    probeCallsHost (instance, vst::audioMasterAutomate, 0, 0, nullptr, 1.0f);
    probeCallsHost (instance, vst::audioMasterIdle);
    probeCallsHost (instance, vst::audioMasterAutomate, 3, 0, nullptr, 0.5f);

    const std::vector<AutomationEvent> expected { { 3, 0.25f }, { 0, 1.0f }, { 3, 0.5f } };
    EXPECT_EQ (instance.automation(), expected);
    EXPECT_EQ (instance.countHostCalls (vst::audioMasterIdle), 1u);

    instance.clearRecords();
    EXPECT_TRUE (instance.automation().empty());
    EXPECT_TRUE (instance.hostCalls().empty());
}

TEST_F (HostCallbacks, RecordsWindowSizeRequestsAndAgrees)
{
    EXPECT_FALSE (instance.lastSizeRequest().has_value());
    EXPECT_EQ (probeCallsHost (instance, vst::audioMasterSizeWindow, 525, 312), 1);
    ASSERT_TRUE (instance.lastSizeRequest().has_value());
    EXPECT_EQ (*instance.lastSizeRequest(), std::make_pair (525, 312));
}

TEST_F (HostCallbacks, TellsTheModuleItsRateAndBlockSizeAndResumesBeforeProcessing)
{
    instance.open();
    auto report = probeReport (instance);
    EXPECT_EQ (report.sampleRate, 48000.0f);
    EXPECT_EQ (report.blockSize, 256);
    EXPECT_FALSE (report.resumed);

    processBlock();
    EXPECT_TRUE (probeReport (instance).resumed) << "a block before resume resumes first";
    instance.suspend();
    EXPECT_FALSE (probeReport (instance).resumed);
}

TEST_F (HostCallbacks, TimeInfoFollowsTheTimelineAndTheTransport)
{
    instance.open();
    auto& timeline = instance.timeline();
    timeline.setTempo (90.0);
    timeline.setTimeSignature (3, 4);

    processBlock (480);
    auto t = probeReport (instance).lastTime;
    EXPECT_EQ (t.sampleRate, 48000.0);
    EXPECT_EQ (t.tempo, 90.0);
    EXPECT_EQ (t.timeSigNumerator, 3);
    EXPECT_EQ (t.samplePos, 0.0);
    EXPECT_EQ (t.flags & vst::kVstTransportPlaying, 0);

    processBlock (480);
    EXPECT_EQ (probeReport (instance).lastTime.samplePos, 0.0) << "a stopped transport stays put";

    timeline.setPlaying (true);
    processBlock (480);
    processBlock (480);
    t = probeReport (instance).lastTime;
    EXPECT_NE (t.flags & vst::kVstTransportPlaying, 0);
    EXPECT_EQ (t.samplePos, 480.0);
    EXPECT_DOUBLE_EQ (t.ppqPos, 480.0 / 48000.0 * 90.0 / 60.0);
}

TEST_F (HostCallbacks, AHostWithoutTimeInformationAnswersNull)
{
    instance.timeline().setAvailable (false);
    processBlock();
    auto report = probeReport (instance);
    EXPECT_EQ (report.timeQueries, 1);
    EXPECT_EQ (report.timeAnswers, 0);
    EXPECT_EQ (probeCallsHost (instance, vst::audioMasterGetTime, 0, 0xEE00), 0);

    instance.timeline().setAvailable (true);
    processBlock();
    EXPECT_EQ (probeReport (instance).timeAnswers, 1);
}

TEST_F (HostCallbacks, AHookReplacesChosenAnswersAndLeavesTheRest)
{
    instance.setCallbackHook ([] (PluginInstance&, int32_t opcode, int32_t, intptr_t, void*, float) -> std::optional<intptr_t>
    {
        if (opcode == vst::audioMasterGetTime)
            return 0;
        if (opcode == vst::audioMasterGetSampleRate)
            return 22050;
        return std::nullopt;
    });
    processBlock();
    EXPECT_EQ (probeReport (instance).timeAnswers, 0);
    EXPECT_EQ (probeCallsHost (instance, vst::audioMasterGetSampleRate), 22050);
    EXPECT_EQ (probeCallsHost (instance, vst::audioMasterGetBlockSize), 256);
    EXPECT_EQ (instance.countHostCalls (vst::audioMasterGetTime), 1u) << "hooked calls are still recorded";

    instance.setCallbackHook (nullptr);
    processBlock();
    EXPECT_EQ (probeReport (instance).timeAnswers, 1);
}

//==============================================================================
// The time record's fields, straight from the timeline.

vst::VstTimeInfo queried (HostTimeline& timeline)
{
    vst::VstTimeInfo info;
    std::memset (&info, 0x5a, sizeof (info));  // garbage, to see every field written
    EXPECT_EQ (timeline.query (info, 0xEE00), &info);
    return info;
}

constexpr int32_t musicalFlags = vst::kVstTempoValid | vst::kVstPpqPosValid | vst::kVstBarsValid | vst::kVstClockValid;

TEST (HostTimelineFields, MusicalPositionsFromTempoSignatureAndSamplePosition)
{
    HostTimeline timeline;
    timeline.setSampleRate (48000.0);
    timeline.setTempo (120.0);      // a quarter note is 24000 samples, a MIDI clock tick 1000
    timeline.setTimeSignature (3, 4);

    struct Case { double position; double ppq; double barStart; int32_t toNextClock; };
    const Case cases[] = {
        { 0.0, 0.0, 0.0, 0 },
        { 250.0, 250.0 / 24000.0, 0.0, -250 },          // the nearest tick lies behind
        { 700.0, 700.0 / 24000.0, 0.0, 300 },
        { 71999.0, 71999.0 / 24000.0, 0.0, 1 },
        { 72000.0, 3.0, 3.0, 0 },                       // first beat of bar 2
        { 100000.0, 100000.0 / 24000.0, 3.0, 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.position);
        timeline.setSamplePosition (c.position);
        const auto info = queried (timeline);
        EXPECT_EQ (info.samplePos, c.position);
        EXPECT_EQ (info.sampleRate, 48000.0);
        EXPECT_DOUBLE_EQ (info.ppqPos, c.ppq);
        EXPECT_DOUBLE_EQ (info.barStartPos, c.barStart);
        EXPECT_EQ (info.samplesToNextClock, c.toNextClock);
        EXPECT_EQ (info.tempo, 120.0);
        EXPECT_EQ (info.timeSigNumerator, 3);
        EXPECT_EQ (info.timeSigDenominator, 4);
        EXPECT_EQ (info.flags & musicalFlags, musicalFlags);
        EXPECT_NE (info.flags & vst::kVstTimeSigValid, 0);
        EXPECT_EQ (info.flags & (vst::kVstNanosValid | vst::kVstCyclePosValid), 0) << "never claimed";
    }
}

TEST (HostTimelineFields, FlagsOnlyWhatItCouldFillTruthfully)
{
    HostTimeline timeline;
    timeline.setTempo (0.0);
    auto info = queried (timeline);
    EXPECT_EQ (info.flags & musicalFlags, 0) << "no tempo: no tempo, positions or clock";
    EXPECT_NE (info.flags & vst::kVstTimeSigValid, 0);

    timeline.setTempo (std::nan (""));
    EXPECT_EQ (queried (timeline).flags & musicalFlags, 0);

    timeline.setTempo (120.0);
    timeline.setTimeSignature (0, 4);
    info = queried (timeline);
    EXPECT_EQ (info.flags & (vst::kVstTimeSigValid | vst::kVstBarsValid), 0);
    EXPECT_NE (info.flags & vst::kVstPpqPosValid, 0);

    timeline.setTimeSignature (4, 4);
    timeline.withholdFlags (vst::kVstTempoValid);
    info = queried (timeline);
    EXPECT_EQ (info.flags & vst::kVstTempoValid, 0);
    EXPECT_NE (info.flags & vst::kVstPpqPosValid, 0);
}

TEST (HostTimelineFields, TransportFlagsAndTheirChange)
{
    HostTimeline timeline;
    EXPECT_NE (queried (timeline).flags & vst::kVstTransportChanged, 0) << "first report is a change";
    EXPECT_EQ (queried (timeline).flags & vst::kVstTransportChanged, 0);

    timeline.setPlaying (true);
    auto info = queried (timeline);
    EXPECT_NE (info.flags & vst::kVstTransportChanged, 0);
    EXPECT_NE (info.flags & vst::kVstTransportPlaying, 0);
    EXPECT_EQ (info.flags & vst::kVstTransportRecording, 0);
    timeline.setPlaying (true);
    EXPECT_EQ (queried (timeline).flags & vst::kVstTransportChanged, 0) << "no change, no flag";

    timeline.setPlaying (false);
    timeline.setRecording (true);
    info = queried (timeline);
    EXPECT_NE (info.flags & vst::kVstTransportRecording, 0);
    EXPECT_NE (info.flags & vst::kVstTransportPlaying, 0) << "recording plays";
}

TEST (HostTimelineFields, SmpteOffsetAndFrameRate)
{
    HostTimeline timeline;
    timeline.setSmpte (vst::kVstSmpte30fps, 160);
    auto info = queried (timeline);
    EXPECT_NE (info.flags & vst::kVstSmpteValid, 0);
    EXPECT_EQ (info.smpteFrameRate, vst::kVstSmpte30fps);
    EXPECT_EQ (info.smpteOffset, 160);

    timeline.setSmpte (vst::kVstSmpteFilm35mm, 0);
    EXPECT_EQ (queried (timeline).flags & vst::kVstSmpteValid, 0) << "film codes name no frame rate";
}

} // namespace

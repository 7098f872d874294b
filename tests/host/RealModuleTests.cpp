// The host library against real modules: Debian's LinuxVST plug-ins prove the interface
// declarations match modules built by others; the project's own module when it is built.
#include "host/ParameterResolver.h"
#include "host/PluginInstance.h"
#include "host/VstModule.h"
#include "tests/host/TestModules.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qvhost;
using namespace hosttest;

namespace
{

/** Processes `blocks` blocks of an impulse through every input; answers the output samples of
    every channel, one vector per channel. */
std::vector<std::vector<float>> processImpulse (PluginInstance& instance, int32_t blockSize, int blocks)
{
    const auto ins = (size_t) instance.numInputs(), outs = (size_t) instance.numOutputs();
    std::vector<std::vector<float>> in (ins, std::vector<float> ((size_t) blockSize)), out (outs, std::vector<float> ((size_t) blockSize));
    std::vector<std::vector<float>> result (outs);
    std::vector<float*> inPointers, outPointers;
    for (auto& b : in)
        inPointers.push_back (b.data());
    for (auto& b : out)
        outPointers.push_back (b.data());

    for (int block = 0; block < blocks; ++block)
    {
        for (auto& b : in)
            std::fill (b.begin(), b.end(), 0.0f);
        if (block == 0)
            for (auto& b : in)
                b[0] = 1.0f;
        instance.process (inPointers.data(), outPointers.data(), blockSize);
        instance.timeline().advance (blockSize);
        for (size_t c = 0; c < outs; ++c)
            result[c].insert (result[c].end(), out[c].begin(), out[c].end());
    }
    return result;
}

bool allFinite (const std::vector<std::vector<float>>& channels)
{
    for (const auto& c : channels)
        for (float v : c)
            if (! std::isfinite (v))
                return false;
    return true;
}

TEST (RealModules, ZamDelayIdentityParametersAndAudio)
{
    if (zamDelayPath().empty())
        GTEST_SKIP() << "zam-plugins not installed";
    PluginInstance instance (VstModule::load (zamDelayPath()), 48000.0, 512);
    instance.open();

    EXPECT_EQ (instance.effectName(), "ZamDelay");
    EXPECT_EQ (instance.vendorString(), "Damien Zammit");
    EXPECT_EQ (instance.uniqueId(), vst::fourCC ('Z', 'M', 'D', 'L'));
    EXPECT_EQ (instance.numInputs(), 1);
    EXPECT_EQ (instance.numOutputs(), 1);
    EXPECT_TRUE (instance.hasFlag (vst::effFlagsCanReplacing));
    ASSERT_EQ (instance.numParameters(), 8);
    EXPECT_EQ (instance.parameterName (7), "Feedback");
    EXPECT_EQ (instance.parameterLabel (1), "ms");

    instance.setParameter (7, 0.5f);
    EXPECT_FLOAT_EQ (instance.getParameter (7), 0.5f);

    const auto out = processImpulse (instance, 512, 8);
    EXPECT_TRUE (allFinite (out));
    EXPECT_GT (instance.countHostCalls (vst::audioMasterGetTime), 0u) << "it syncs to the host tempo";
}

TEST (RealModules, LspRoundTripsItsStateChunk)
{
    if (lspStereoDelayPath().empty())
        GTEST_SKIP() << "lsp-plugins-vst not installed";
    auto module = VstModule::load (lspStereoDelayPath());

    std::vector<uint8_t> saved;
    float savedValue = 0.0f;
    const int32_t index = 3;  // "samp": delay in samples
    {
        PluginInstance first (module, 48000.0, 512);
        first.open();
        EXPECT_EQ (first.numInputs(), 2);
        EXPECT_EQ (first.numOutputs(), 2);
        ASSERT_TRUE (first.hasFlag (vst::effFlagsProgramChunks));
        first.setParameter (index, 0.25f);
        savedValue = first.getParameter (index);
        ASSERT_NE (savedValue, 0.0f);
        saved = first.getChunk (false);
        ASSERT_FALSE (saved.empty());
        EXPECT_TRUE (allFinite (processImpulse (first, 256, 4)));
    }

    PluginInstance second (module, 48000.0, 512);
    second.open();
    EXPECT_EQ (second.getParameter (index), 0.0f);
    second.setChunk (saved, false);
    EXPECT_FLOAT_EQ (second.getParameter (index), savedValue);
}

//==============================================================================
// The project's own module, once it is built.

class OurModule : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (ourModulePath().empty())
            GTEST_SKIP() << "QV-DelayTX.so is not built in QV_BUILD_DIR";
        instance = std::make_unique<PluginInstance> (VstModule::load (ourModulePath()), 48000.0, 512);
        instance->open();
    }

    std::unique_ptr<PluginInstance> instance;
};

TEST_F (OurModule, PresentsItselfAsItShould)
{
    EXPECT_EQ (instance->effectName(), "QV-Delay TX");
    EXPECT_EQ (instance->productString(), "QV-Delay TX");
    EXPECT_EQ (instance->vendorString(), "Quarvel");
    EXPECT_EQ (instance->vendorVersion(), 1000);
    EXPECT_EQ (instance->uniqueId(), vst::fourCC ('q', 'T', '0', '2'));
    EXPECT_EQ (instance->version(), 65792);
    EXPECT_EQ (instance->flags(), 0x31);
    EXPECT_EQ (instance->numInputs(), 2);
    EXPECT_EQ (instance->numOutputs(), 2);
    EXPECT_EQ (instance->numParameters(), 36);
    EXPECT_EQ (instance->numPrograms(), 128);
    EXPECT_EQ (instance->canDo ("receiveVstTimeInfo"), 1);
}

TEST_F (OurModule, FullParameterNamesTellTheCutNamesApart)
{
    const std::vector<std::string> identifiers {
        "fOnButton", "fLeftSelButton", "fRightSelButton", "fStereoSelButton", "fStereoModeButton", "fLinkModeButton",
        "fPingPongModeButton", "fPreDelayLeft", "fPreDelayRight", "fDelaySyncButton", "fDelayTripletButton",
        "fDelayDotButton", "fDelayLeft", "fDelayRight", "fFeedbackLeft", "fFeedbackRight", "fPanLeft", "fPanRight",
        "fFilterOnButton", "fFilterLPButton", "fFilterHPButton", "fFilterBPButton", "fFilterOnButtonB",
        "fFilterLPButtonB", "fFilterHPButtonB", "fFilterBPButtonB", "fFilterFreqLeft", "fFilterResLeft",
        "fFilterFreqRight", "fFilterResRight", "fMixLeft", "fMixRight", "fOutputLeft", "fOutputRight", "fVolDb", "fMix",
    };
    const auto resolver = ParameterResolver::fromInstance (*instance);
    ASSERT_EQ (resolver.fullNames(), identifiers);
    for (int32_t i = 0; i < 36; ++i)
    {
        EXPECT_EQ (resolver.reportedNames()[(size_t) i], identifiers[(size_t) i].substr (0, 8));
        EXPECT_EQ (resolver.resolve (identifiers[(size_t) i]), i) << identifiers[(size_t) i];
    }
    EXPECT_THROW (resolver.resolve ("fPreDela"), std::exception);
}

TEST_F (OurModule, AsksForTheTimeAfterEveryBlockAndRoundTripsItsProgramChunk)
{
    processImpulse (*instance, 512, 3);
    size_t timeCalls = 0;
    for (const auto& call : instance->hostCalls())
        if (call.opcode == vst::audioMasterGetTime)
        {
            ++timeCalls;
            EXPECT_EQ (call.value, 0xEE00);
        }
    EXPECT_EQ (timeCalls, 3u);

    instance->setParameter (14, 0.25f);
    const auto program = instance->getChunk (true);
    ASSERT_FALSE (program.empty());

    PluginInstance other (VstModule::load (ourModulePath()));
    other.open();
    other.setChunk (program, true);
    EXPECT_EQ (other.getParameter (14), 0.25f);
    EXPECT_EQ (other.getChunk (true), program);
}

TEST_F (OurModule, UnloadsAndLoadsAgainInOneProcess)
{
    instance->setParameter (14, 0.75f);
    processImpulse (*instance, 512, 2);
    instance.reset();  // the last reference: effClose, then the library is unloaded
    EXPECT_FALSE (stillLoaded (ourModulePath())) << "nothing pins the module in memory";

    for (int round = 0; round < 2; ++round)
    {
        SCOPED_TRACE (round);
        PluginInstance again (VstModule::load (ourModulePath()), 48000.0, 512);
        again.open();
        EXPECT_EQ (again.effectName(), "QV-Delay TX");
        EXPECT_EQ (again.getParameter (14), 0.0f) << "a fresh instance starts from the defaults";
        EXPECT_TRUE (allFinite (processImpulse (again, 512, 2)));
    }
    EXPECT_FALSE (stillLoaded (ourModulePath()));
}

} // namespace

// Loading modules: what is refused and how, entry names, unloading and loading again, and the
// floating-point control register across calls into a module.
#include "host/FpuGuard.h"
#include "host/HostError.h"
#include "host/PluginInstance.h"
#include "host/VstModule.h"
#include "tests/host/ProbeClient.h"
#include "tests/support/RunProcess.h"
#include "tests/host/TestModules.h"

#include <gtest/gtest.h>

using namespace qvhost;
using namespace hosttest;
using namespace qvtest;

namespace
{

/** The message of the HostError that `action` throws, or "" when it throws none. */
template <typename Action>
std::string hostErrorOf (Action&& action)
{
    try
    {
        action();
    }
    catch (const HostError& e)
    {
        return e.what();
    }
    return {};
}

struct RefusedFile
{
    const char* what;
    std::string path;
    const char* reason;
};

TEST (ModuleLoading, RefusesFilesThatAreNotModulesWithAOneLineReason)
{
    TempFolder folder;
    writeFile (folder.file ("text.so"), "this is text, not a library\n");
    writeFile (folder.file ("empty.so"), "");

    const RefusedFile cases[] = {
        { "text file", folder.file ("text.so"), "cannot load" },
        { "empty file", folder.file ("empty.so"), "cannot load" },
        { "missing file", folder.file ("missing.so"), "No such file" },
        { "folder", folder.path(), "not a regular file" },
        { "program, not a library", "/bin/true", "cannot load" },
        { "library without an entry", probePath ("probe-no-entry"), "exports neither VSTPluginMain nor main" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        const std::string message = hostErrorOf ([&] { VstModule::load (c.path); });
        EXPECT_NE (message.find (c.reason), std::string::npos) << message;
        EXPECT_NE (message.find (c.path), std::string::npos) << "names the file: " << message;
        EXPECT_EQ (message.find ('\n'), std::string::npos) << "one line: " << message;
    }
}

TEST (ModuleLoading, EntriesThatGiveNoUsableEffectAreRefused)
{
    const std::pair<const char*, const char*> cases[] = {
        { "probe-null-record", "returned no effect" },
        { "probe-bad-magic", "without the VST 2.4 magic" },
        { "probe-throws", "threw an exception" },
    };
    for (const auto& [name, reason] : cases)
    {
        SCOPED_TRACE (name);
        auto module = VstModule::load (probePath (name));
        const std::string message = hostErrorOf ([&] { PluginInstance instance (module); });
        EXPECT_NE (message.find (reason), std::string::npos) << message;
        EXPECT_EQ (message.find ('\n'), std::string::npos) << message;
    }
}

TEST (ModuleLoading, FindsTheEntryUnderEitherName)
{
    EXPECT_EQ (VstModule::load (probePath ("probe-stereo"))->entryName(), "VSTPluginMain");

    if (zamDelayPath().empty())
        GTEST_SKIP() << "zam-plugins not installed";
    auto zam = VstModule::load (zamDelayPath());
    EXPECT_EQ (zam->entryName(), "main");  // ZamDelay exports only the old name
    PluginInstance instance (zam);
    EXPECT_EQ (instance.effect().magic, vst::kEffectMagic);
}

TEST (ModuleLoading, UnloadingUnloadsAndTheModuleLoadsAgainFresh)
{
    for (int round = 0; round < 2; ++round)
    {
        SCOPED_TRACE (round);
        auto module = VstModule::load (probePath ("probe-stereo"));
        PluginInstance first (module);
        PluginInstance second (module);
        EXPECT_EQ (probeReport (second).entryCallsSinceLoad, 2);
        EXPECT_EQ (probeReport (second).liveProbes, 2);

        first.open();
        std::vector<float> in (64, 0.25f), out (64, 0.0f);
        float* ins[] = { in.data(), in.data() };
        float* outs[] = { out.data(), out.data() };
        first.process (ins, outs, 64);
        EXPECT_EQ (out[63], 0.25f);
        // Both instances go, then the module: the next round must start from a fresh load.
    }
    EXPECT_FALSE (stillLoaded (probePath ("probe-stereo")));
}

TEST (ModuleLoading, CloseDeletesTheEffectAndTheInstanceRefusesFurtherUse)
{
    auto module = VstModule::load (probePath ("probe-stereo"));
    PluginInstance keeper (module);
    {
        PluginInstance instance (module);
        instance.open();
        EXPECT_EQ (probeReport (keeper).liveProbes, 2);
        instance.close();
        EXPECT_EQ (probeReport (keeper).liveProbes, 1);
        EXPECT_FALSE (hostErrorOf ([&] { instance.dispatch (vst::effGetProgram); }).empty());
    }
    EXPECT_EQ (probeReport (keeper).liveProbes, 1);
}

TEST (ModuleLoading, ModulesLeaveTheHostsFloatingPointControlAlone)
{
    // The probe sets flush-to-zero, denormals-are-zero and round-toward-zero in every call.
    const uint32_t before = FpuGuard::currentMxcsr() & ~0x3fu;
    auto unchanged = [before] { return (FpuGuard::currentMxcsr() & ~0x3fu) == before; };

    {
        auto module = VstModule::load (probePath ("probe-stereo"));
        PluginInstance instance (module);
        EXPECT_TRUE (unchanged()) << "entry";
        instance.open();
        EXPECT_TRUE (unchanged()) << "dispatcher";
        instance.setParameter (2, 0.75f);
        EXPECT_TRUE (unchanged()) << "setParameter";
        EXPECT_EQ (instance.getParameter (2), 0.75f);
        EXPECT_TRUE (unchanged()) << "getParameter";
        std::vector<float> buffer (16, 1.0f);
        float* channels[] = { buffer.data(), buffer.data() };
        instance.process (channels, channels, 16);
        EXPECT_TRUE (unchanged()) << "processReplacing";
    }
    EXPECT_TRUE (unchanged()) << "close and unload";

    // A subnormal still survives host arithmetic, so flush-to-zero really is off.
    volatile float tiny = 1.0e-39f;
    EXPECT_NE (tiny * 1.0f, 0.0f);
}

TEST (ModuleLoading, FpuGuardRestoresTheControlBitsItFound)
{
    const uint32_t original = FpuGuard::currentMxcsr();
    {
        FpuGuard outer;
        FpuGuard::setMxcsr (original | 0x8040);
        {
            FpuGuard inner;
            FpuGuard::setMxcsr (original | 0x6000);
        }
        EXPECT_EQ (FpuGuard::currentMxcsr() & ~0x3fu, (original | 0x8040) & ~0x3fu);
    }
    EXPECT_EQ (FpuGuard::currentMxcsr() & ~0x3fu, original & ~0x3fu);
}

} // namespace

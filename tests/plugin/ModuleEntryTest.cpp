#include "tests/plugin/ModuleFixture.h"
#include <dlfcn.h>

using namespace vst;

namespace
{
using ModuleEntry = qvtest::ModuleFixture;

TEST_F (ModuleEntry, RecordPresentsTheEffect)
{
    const auto& e = plugin->effect();
    EXPECT_EQ (e.magic, kEffectMagic);
    EXPECT_EQ (e.numPrograms, 128);
    EXPECT_EQ (e.numParams, 36);
    EXPECT_EQ (e.numInputs, 2);
    EXPECT_EQ (e.numOutputs, 2);
    EXPECT_EQ (e.flags, 0x31);
    EXPECT_EQ (e.initialDelay, 0);
    EXPECT_EQ (e.ioRatio, 1.0f);
    EXPECT_EQ (e.uniqueID, fourCC ('q', 'T', '0', '2'));
    EXPECT_EQ (e.version, 65792);
    EXPECT_NE (e.processReplacing, nullptr);
    EXPECT_NE (e.processDoubleReplacing, nullptr);

    EXPECT_EQ (plugin->effectName(), "QV-Delay TX");
    EXPECT_EQ (plugin->productString(), "QV-Delay TX");
    EXPECT_EQ (plugin->vendorString(), "Quarvel");
    EXPECT_EQ (plugin->vendorVersion(), 1000);
    EXPECT_EQ (plugin->vstVersion(), 2400);
    EXPECT_EQ (plugin->category(), kPlugCategEffect);
}

TEST (ModuleLoading, ExportsOnlyTheTwoEntryNames)
{
    void* handle = dlopen (qvtest::modulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE (handle, nullptr) << dlerror();
    EXPECT_NE (dlsym (handle, "VSTPluginMain"), nullptr);
    EXPECT_EQ (dlsym (handle, "main"), dlsym (handle, "main"));
    EXPECT_NE (dlsym (handle, "main"), nullptr);
    EXPECT_EQ (dlsym (handle, "_ZN14DemoJuceFilter11setParameterEif"), nullptr);
    dlclose (handle);
}

TEST (ModuleLoading, HostWithoutAVersionGetsNoEffect)
{
    auto module = qvhost::VstModule::load (qvtest::modulePath());
    auto refuse = [] (AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) -> intptr_t
    {
        (void) opcode;
        return 0;
    };
    EXPECT_EQ (module->entry() (refuse), nullptr);
    EXPECT_EQ (module->entry() (nullptr), nullptr);
}

TEST (ModuleLoading, LoadsUsesUnloadsAndLoadsAgainInOneProcess)
{
    // A display that does not exist: the module must not need one until an
    // editor is opened.
    const char* previous = std::getenv ("DISPLAY");
    const std::string saved = previous != nullptr ? previous : "";
    setenv ("DISPLAY", ":4711", 1);

    std::vector<uint8_t> firstChunk;

    for (int round = 0; round < 3; ++round)
    {
        auto module = qvhost::VstModule::load (qvtest::modulePath());
        {
            qvhost::PluginInstance plugin (module);
            plugin.open();
            EXPECT_EQ (plugin.getParameter (32), 0.5f) << "a fresh instance in round " << round;
            plugin.setParameter (32, 0.75f);

            std::vector<float> l (256, 0.1f), r (256, 0.1f);
            float* channels[2] = { l.data(), r.data() };
            plugin.resume();
            plugin.process (channels, channels, 256);

            const auto chunk = plugin.getChunk (true);
            if (round == 0)
                firstChunk = chunk;
            else
                EXPECT_EQ (chunk, firstChunk);
        }
        module.reset();   // the last owner unloads the library
    }

    if (saved.empty())
        unsetenv ("DISPLAY");
    else
        setenv ("DISPLAY", saved.c_str(), 1);
}

TEST (ModuleLoading, SeveralInstancesAreIndependent)
{
    auto module = qvhost::VstModule::load (qvtest::modulePath());
    qvhost::PluginInstance a (module), b (module);
    a.open();
    b.open();
    a.setParameter (12, 0.3f);
    EXPECT_EQ (a.getParameter (12), 0.3f);
    EXPECT_EQ (b.getParameter (12), 0.0f);
}

TEST (ModuleLoading, CloseAnswersOne)
{
    auto module = qvhost::VstModule::load (qvtest::modulePath());
    auto host = [] (AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) -> intptr_t
    {
        return opcode == audioMasterVersion ? 2400 : 0;
    };
    AEffect* effect = module->entry() (host);
    ASSERT_NE (effect, nullptr);
    effect->dispatcher (effect, effOpen, 0, 0, nullptr, 0.0f);
    EXPECT_EQ (effect->dispatcher (effect, effClose, 0, 0, nullptr, 0.0f), 1);
}
}

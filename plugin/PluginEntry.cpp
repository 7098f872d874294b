// The module's entry point, exported as VSTPluginMain and main, and its
// load/unload hooks.
#include "plugin/HostWindowOps.h"
#include "plugin/JuceVSTWrapper.h"
#include "plugin/MessageThread.h"
#include "processor/DemoJuceFilter.h"

#if defined(_WIN32)
 #define QV_EXPORT extern "C" __declspec(dllexport)
#else
 #define QV_EXPORT extern "C" __attribute__((visibility ("default")))
#endif

QV_EXPORT vst::AEffect* QV_VSTCALL VSTPluginMain (vst::HostCallback hostCallback)
{
    try
    {
        MessageThread::ensureRunning();

        if (hostCallback == nullptr || hostCallback (nullptr, vst::audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
            return nullptr;

        auto processor = std::make_unique<DemoJuceFilter>();
        auto* wrapper = new JuceVSTWrapper (hostCallback, std::move (processor));
        return wrapper->getAeffect();
    }
    catch (...)
    {
        return nullptr;
    }
}

#if ! defined(_WIN32)
// Older Linux hosts look for "main". Declaring a function of that name with
// this signature is what the VST convention asks for, not a program entry.
QV_EXPORT vst::AEffect* QV_VSTCALL qv_main_entry (vst::HostCallback hostCallback) __asm__ ("main");
QV_EXPORT vst::AEffect* QV_VSTCALL qv_main_entry (vst::HostCallback hostCallback)
{
    return VSTPluginMain (hostCallback);
}

// Unloading the module stops its message thread and shuts JUCE down, so the
// code is not unmapped under a running thread and a later load starts clean.
__attribute__((destructor)) static void qvModuleUnload()
{
    MessageThread::stop();
    HostWindowOps::get().shutdown();
}
#endif

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
        // Counted as an instance from here on; JuceVSTWrapper::release ends it.
        MessageThread::acquire();

        try
        {
            if (hostCallback == nullptr || hostCallback (nullptr, vst::audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
            {
                MessageThread::release();
                return nullptr;
            }

            auto processor = std::make_unique<DemoJuceFilter>();
            auto* wrapper = new JuceVSTWrapper (hostCallback, std::move (processor));
            return wrapper->getAeffect();
        }
        catch (...)
        {
            MessageThread::release();
            return nullptr;
        }
    }
    catch (...)
    {
        return nullptr;
    }
}

#if defined(_WIN32)
#ifndef NOMINMAX
 #define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

// Runs under the loader lock, so it does only what is safe there. Attach
// records the module handle, which JUCE needs for its window classes; the
// message manager (hidden window, OLE) is made by the first entry call on the
// host's user-interface thread instead (MessageThread). Detach through
// FreeLibrary shuts JUCE down: its timer thread is told to stop and waited
// for, and that wait ends when the thread's function returns, before the
// thread's own exit needs the loader lock. At process exit the other threads
// are gone already and the system takes everything back: nothing is touched.
extern "C" BOOL WINAPI DllMain (HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    try
    {
        if (reason == DLL_PROCESS_ATTACH)
            juce::Process::setCurrentModuleInstanceHandle (instance);
        else if (reason == DLL_PROCESS_DETACH && reserved == nullptr)
            MessageThread::stop();
    }
    catch (...)
    {
    }

    return TRUE;
}
#else
// Older Linux hosts look for "main". Declaring a function of that name with
// this signature is what the VST convention asks for, not a program entry.
QV_EXPORT vst::AEffect* QV_VSTCALL qv_main_entry (vst::HostCallback hostCallback) __asm__ ("main");
QV_EXPORT vst::AEffect* QV_VSTCALL qv_main_entry (vst::HostCallback hostCallback)
{
    return VSTPluginMain (hostCallback);
}

// Normally the last closed instance has stopped the message thread already.
// A host that unloads the module with instances still open gets the thread
// ended here, so no code runs from unmapped memory.
__attribute__((destructor)) static void qvModuleUnload()
{
    MessageThread::abandon();
}
#endif

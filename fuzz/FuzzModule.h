#pragma once
#include "host/PluginInstance.h"
#include "host/VstModule.h"
#include <memory>
#include <string>

/** The real module as the harnesses load it: once per process, through the
    project's host library, with one instance that stays open for the whole
    run. That instance keeps the module's message thread up, so a harness can
    open and close its own instances as often as it likes without restarting
    the thread (and JUCE) every time. */
class FuzzModule
{
public:
    /** The loaded module; the path is $QV_MODULE, else $QV_BUILD_DIR/QV-DelayTX.so,
        else the build tree the harness was compiled in. */
    static std::shared_ptr<qvhost::VstModule> get();

    /** A fresh instance, opened (effOpen, sample rate, block size) but not resumed. */
    static std::unique_ptr<qvhost::PluginInstance> openInstance (double sampleRate = 44100.0, int32_t blockSize = 512);

    static std::string modulePath();
};

#include "fuzz/FuzzModule.h"
#include <cstdlib>

std::string FuzzModule::modulePath()
{
    if (const char* path = std::getenv ("QV_MODULE"))
        return path;
    if (const char* dir = std::getenv ("QV_BUILD_DIR"))
        return std::string (dir) + "/QV-DelayTX.so";
    return QV_FUZZ_DEFAULT_MODULE;
}

std::shared_ptr<qvhost::VstModule> FuzzModule::get()
{
    // Never released: libFuzzer keeps the module's coverage counters by
    // address, so the module must not be unloaded and loaded again.
    static auto* module = new std::shared_ptr<qvhost::VstModule> (qvhost::VstModule::load (modulePath()));
    static auto* keeper = new std::unique_ptr<qvhost::PluginInstance> (
        std::make_unique<qvhost::PluginInstance> (*module));
    (void) keeper;
    return *module;
}

std::unique_ptr<qvhost::PluginInstance> FuzzModule::openInstance (double sampleRate, int32_t blockSize)
{
    auto plugin = std::make_unique<qvhost::PluginInstance> (get(), sampleRate, blockSize);
    plugin->open();
    return plugin;
}

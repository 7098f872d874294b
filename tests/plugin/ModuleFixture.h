#pragma once
#include <gtest/gtest.h>
#include "host/PluginInstance.h"
#include "host/VstModule.h"
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace qvtest
{
inline std::string modulePath()
{
    const char* dir = std::getenv ("QV_BUILD_DIR");
    return std::string (dir != nullptr ? dir : QV_TEST_BUILD_DIR) + "/QV-DelayTX.so";
}

/** One instance of the real module, opened like a host opens it. */
class ModuleFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        module = qvhost::VstModule::load (modulePath());
        plugin = std::make_unique<qvhost::PluginInstance> (module, 44100.0, 512);
        plugin->open();
    }

    void TearDown() override
    {
        plugin.reset();
        module.reset();
    }

    std::string text (int32_t opcode, int32_t index = 0)
    {
        char buffer[256];
        std::memset (buffer, 0x55, sizeof (buffer));
        plugin->dispatch (opcode, index, 0, buffer);
        return std::string (buffer);
    }

    std::shared_ptr<qvhost::VstModule> module;
    std::unique_ptr<qvhost::PluginInstance> plugin;
};
}

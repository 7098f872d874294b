#include "host/tool/ParameterSettings.h"
#include "host/tool/CommandLine.h"
#include "host/ParameterResolver.h"
#include "host/PluginInstance.h"

namespace qvhost
{

std::vector<ParameterSetting> parseParameterSettings (const CommandLine& line)
{
    std::vector<ParameterSetting> settings;
    for (const auto& setting : line.all ("param"))
    {
        const auto equals = setting.find_last_of ('=');
        if (equals == std::string::npos || equals == 0)
            throw UsageError ("bad --param '" + setting + "': use NAME=VALUE or INDEX=VALUE");
        settings.push_back ({ setting.substr (0, equals),
                              (float) parseNumber (setting.substr (equals + 1), "value in --param " + setting) });
    }
    return settings;
}

void applyParameterSettings (PluginInstance& instance, const std::vector<ParameterSetting>& settings)
{
    if (settings.empty())
        return;
    const auto resolver = ParameterResolver::fromInstance (instance);
    for (const auto& p : settings)
        instance.setParameter (resolver.resolve (p.name), p.value);
}

} // namespace qvhost

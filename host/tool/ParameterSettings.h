#pragma once
#include <string>
#include <vector>

namespace qvhost
{

class CommandLine;
class PluginInstance;

/** One `--param NAME=VALUE` (or `INDEX=VALUE`) as typed; the name is resolved against the
    module only when the settings are applied. */
struct ParameterSetting
{
    std::string name;
    float value = 0.0f;
};

/** The `--param` options of a command line, in order; throws UsageError for a malformed one. */
std::vector<ParameterSetting> parseParameterSettings (const CommandLine& line);

/** Sets each parameter through the module's setParameter, resolving names with
    ParameterResolver; throws HostError for a name the module does not know. */
void applyParameterSettings (PluginInstance& instance, const std::vector<ParameterSetting>& settings);

} // namespace qvhost

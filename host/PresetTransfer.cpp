#include "host/PresetTransfer.h"
#include "host/HostError.h"
#include "host/PluginInstance.h"

#include <algorithm>

namespace qvhost
{

static void requireChunks (PluginInstance& instance)
{
    if (! instance.hasFlag (vst::effFlagsProgramChunks))
        throw HostError ("the module keeps no state chunks (effFlagsProgramChunks is clear), so it has no chunk presets");
}

static std::vector<uint8_t> chunkOf (PluginInstance& instance, bool programOnly)
{
    requireChunks (instance);
    auto chunk = instance.getChunk (programOnly);
    if (chunk.empty())
        throw HostError (std::string ("the module handed out no ") + (programOnly ? "program" : "bank") + " chunk");
    return chunk;
}

PresetFile makeProgramPreset (PluginInstance& instance)
{
    auto chunk = chunkOf (instance, true);
    return PresetFile::program (instance.uniqueId(), instance.version(), instance.numParameters(), instance.programName(),
                                std::move (chunk));
}

PresetFile makeBankPreset (PluginInstance& instance)
{
    auto chunk = chunkOf (instance, false);
    return PresetFile::bank (instance.uniqueId(), instance.version(), instance.numPrograms(), instance.currentProgram(),
                             std::move (chunk));
}

void checkPresetFits (PluginInstance& instance, const PresetFile& preset, const std::string& source)
{
    if (preset.pluginId() != instance.uniqueId())
        throw HostError ("'" + source + "' is a preset for another plug-in (id "
                         + PresetFile::fourCharText ((uint32_t) preset.pluginId()) + "); this module's id is "
                         + PresetFile::fourCharText ((uint32_t) instance.uniqueId()));
    requireChunks (instance);
}

void loadPreset (PluginInstance& instance, const PresetFile& preset, const std::string& source)
{
    checkPresetFits (instance, preset, source);
    instance.setChunk (preset.chunk(), ! preset.isBank());
    if (preset.isBank() && preset.currentProgram() >= 0 && preset.currentProgram() < instance.numPrograms())
        instance.setProgram (preset.currentProgram());
}

void renameCurrentProgram (PluginInstance& instance, const std::string& name)
{
    // A writable, zero-terminated copy with room to spare: some modules write back into it.
    std::vector<char> text (std::max<size_t> (name.size() + 1, 64), 0);
    std::copy (name.begin(), name.end(), text.begin());
    instance.dispatch (vst::effSetProgramName, 0, 0, text.data());
}

} // namespace qvhost

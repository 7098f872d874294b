#pragma once
#include "host/PresetFile.h"

#include <string>

namespace qvhost
{

class PluginInstance;

/** Moving state between an effect and preset files, the way a host imports and exports
    .fxp and .fxb files for a module that keeps its state in chunks. */

/** The current program as a program preset: the module's program chunk (effGetChunk, index 1)
    under the name the module reports for the current program. Throws HostError when the
    module keeps no chunks or hands out none. */
PresetFile makeProgramPreset (PluginInstance& instance);

/** All programs as a bank preset: the bank chunk (index 0) and the current program. */
PresetFile makeBankPreset (PluginInstance& instance);

/** Throws HostError, naming `source`, when the preset cannot go into this effect: one made for
    another plug-in (its id differs from the effect's unique id) or an effect without chunks.
    Touches nothing; call it before anything else changes. */
void checkPresetFits (PluginInstance& instance, const PresetFile& preset, const std::string& source);

/** Loads the preset after checkPresetFits: a program preset's chunk goes into the current
    program; a bank's chunk replaces all programs, and then the bank's current program (when
    the effect has it) is selected, so the effect sounds the way the bank was saved. */
void loadPreset (PluginInstance& instance, const PresetFile& preset, const std::string& source);

/** effSetProgramName for the current program; the module may cut the name (24 characters in
    VST 2.4). */
void renameCurrentProgram (PluginInstance& instance, const std::string& name);

} // namespace qvhost

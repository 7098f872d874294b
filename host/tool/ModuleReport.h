#pragma once
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

namespace qvhost
{

class PluginInstance;

/** Loads a module and makes one opened effect from it at the given rate and block size. */
std::unique_ptr<PluginInstance> openModule (const std::string& path, double sampleRate = 44100.0, int32_t blockSize = 512);

/** The unique id as qvhost shows it: 'ZMDY' (1515013209), or hex when not all four bytes
    are printable. */
std::string describeUniqueId (int32_t id);
/** The effect flags as "0x31 (HasEditor CanReplacing ProgramChunks)". */
std::string describeFlags (int32_t flags);

void printIdentity (PluginInstance& instance, std::ostream& out);
/** One line per parameter: index, reported name, display text, label, value. */
void printParameters (PluginInstance& instance, std::ostream& out);
void printPrograms (PluginInstance& instance, std::ostream& out);

} // namespace qvhost

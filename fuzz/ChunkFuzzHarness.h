#pragma once
#include "fuzz/PluginSnapshot.h"
#include "host/PluginInstance.h"
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

/** Loads fuzzed bytes as a state chunk through effSetChunk and checks that
    the state changed only as loading a chunk may change it.

    Input: the first byte's lowest bit picks the kind (1: one program,
    effSetChunk with index 1; 0: the bank), the rest is the chunk.

    Inputs start from a distinctive state: program 5 current, every record
    and name different, so that any change shows. (After a bank was taken,
    the next input starts with that bank's records; none of the rules depends
    on the records' contents.) Then:
    - a program chunk may change only the current values, the current
      program's record and name, and the current program name; afterwards
      the current program's record equals the current values and its name
      the current program name;
    - a bank chunk may change only the 128 records and their names;
    - an input without a usable envelope changes nothing;
    - after a program chunk was taken, saving it and loading that again
      gives the same state (the plug-in reads back what it writes, names
      and odd numbers included);
    - every chunk the plug-in writes has the exact form, ASCII only. */
class ChunkFuzzHarness
{
public:
    ChunkFuzzHarness();
    ~ChunkFuzzHarness();

    /** Empty when the input kept every rule; otherwise what broke. */
    std::string run (const uint8_t* data, size_t size);

    /** The distinctive starting state's chunks, for the seed corpus. */
    const std::vector<uint8_t>& baselineProgramChunk() const noexcept { return baselineProgram; }
    const std::vector<uint8_t>& baselineBankChunk() const noexcept { return baselineBank; }

    static constexpr int baselineProgramIndex = 5;

private:
    void restoreBaseline (bool records);
    std::string checkProgramLoad (const PluginSnapshot& after) const;
    std::string checkBankLoad (const PluginSnapshot& after) const;

    std::unique_ptr<qvhost::PluginInstance> plugin;
    std::vector<uint8_t> baselineProgram, baselineBank;
    PluginSnapshot baseline;
};

#pragma once
#include "fuzz/ChunkDocument.h"
#include "host/PluginInstance.h"
#include <array>
#include <memory>
#include <string>
#include <vector>

/** Everything a state chunk can change, read through the host interface:
    the current program, the current values (as getParameter gives them and
    as the single-program chunk writes them), the current program name, and
    the 128 program records with their names (from the bank chunk). */
class PluginSnapshot
{
public:
    static constexpr int numParameters = 36;
    static constexpr int numPrograms = 128;

    /** Reads the state; problem() tells when a chunk the plug-in wrote was
        not in the exact form it must have. A bank chunk byte for byte the
        same as `like`'s is not read again (reading one costs milliseconds). */
    static PluginSnapshot take (qvhost::PluginInstance& plugin, const PluginSnapshot* like = nullptr);

    const std::string& problem() const noexcept { return readProblem; }

    int currentProgram() const noexcept { return program; }
    uint32_t currentValueBits (int index) const { return valueBits.at ((size_t) index); }
    const std::string& currentValueText (int index) const { return preset.value (1 + (size_t) index); }
    const std::string& currentProgramName() const { return preset.value (1 + numParameters); }
    const std::string& recordValue (int program, int index) const { return bank->value (recordBase (program) + (size_t) index); }
    const std::string& recordName (int program) const { return bank->value (recordBase (program) + numParameters); }

    /** Differences in the current values, program and name. */
    std::string compareCurrent (const PluginSnapshot& other) const;
    /** Differences in one program record. */
    std::string compareRecord (const PluginSnapshot& other, int program) const;
    /** All differences; empty when the two states are the same. */
    std::string compare (const PluginSnapshot& other) const;

private:
    static size_t recordBase (int program) noexcept { return 1 + (size_t) program * (numParameters + 1); }
    std::string checkForm() const;

    int program = -1;
    std::array<uint32_t, numParameters> valueBits {};
    ChunkDocument preset;
    std::shared_ptr<const ChunkDocument> bank;
    std::vector<uint8_t> bankBytes;
    std::string readProblem;
};

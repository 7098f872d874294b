#include "fuzz/ChunkFuzzHarness.h"
#include "fuzz/FuzzModule.h"
#include <stdexcept>

ChunkFuzzHarness::ChunkFuzzHarness()
    : plugin (FuzzModule::openInstance())
{
    // The identifiers come from the plug-in's own chunks, so the harness
    // carries no copy of the parameter table.
    ChunkDocument preset, bank;
    const auto presetProblem = preset.parse (plugin->getChunk (true));
    const auto bankProblem = bank.parse (plugin->getChunk (false));

    if (! presetProblem.empty() || ! bankProblem.empty())
        throw std::runtime_error ("the module's own chunks do not read: " + presetProblem + bankProblem);

    for (int i = 0; i < PluginSnapshot::numParameters; ++i)
        preset.attributes[1 + (size_t) i].second = ChunkDocument::numberText ((float) (i + 1) / 64.0f);
    preset.attributes.back().second = "Fuzz &amp; current";
    baselineProgram = preset.write();

    size_t a = 1;
    for (int p = 0; p < PluginSnapshot::numPrograms; ++p)
    {
        for (int i = 0; i < PluginSnapshot::numParameters; ++i)
            bank.attributes[a++].second = ChunkDocument::numberText ((float) ((p * 37 + i) % 1009) / 1009.0f);
        bank.attributes[a++].second = "Record " + std::to_string (p);
    }
    baselineBank = bank.write();

    plugin->setProgram (baselineProgramIndex);
    restoreBaseline (true);
    baseline = PluginSnapshot::take (*plugin);

    if (! baseline.problem().empty())
        throw std::runtime_error ("starting state: " + baseline.problem());
}

ChunkFuzzHarness::~ChunkFuzzHarness() = default;

void ChunkFuzzHarness::restoreBaseline (bool records)
{
    // The bank gives every record its own values and name; the program chunk
    // then sets the current values, program 5's record and the current name
    // alike. After a program chunk only the second part is needed.
    if (records)
        plugin->setChunk (baselineBank, false);
    plugin->setChunk (baselineProgram, true);
    plugin->clearRecords();
}

std::string ChunkFuzzHarness::run (const uint8_t* data, size_t size)
{
    if (size == 0)
        return {};

    const bool programChunk = (data[0] & 1) != 0;

    // A buffer of exactly the chunk's size, so reading past it is caught.
    std::vector<uint8_t> chunk (data + 1, data + size);
    plugin->dispatch (vst::effSetChunk, programChunk ? 1 : 0, (intptr_t) chunk.size(), chunk.empty() ? nullptr : chunk.data());

    const auto after = PluginSnapshot::take (*plugin, &baseline);

    if (! after.problem().empty())
        return "after loading: " + after.problem();

    std::string problem;
    const auto diff = baseline.compare (after);

    if (! diff.empty())
    {
        if (! ChunkDocument::hasUsableEnvelope (chunk.data(), chunk.size()))
            problem = "a chunk without a usable envelope changed the state: " + diff;
        else
            problem = programChunk ? checkProgramLoad (after) : checkBankLoad (after);

        if (problem.empty() && programChunk)
        {
            // Saved and loaded again: nothing may move. (A bank goes through
            // the same value and name reading; its round trip is left to the
            // state tests, as it costs a full bank load each time.)
            plugin->setChunk (plugin->getChunk (true), true);
            const auto moved = after.compare (PluginSnapshot::take (*plugin, &after));

            if (! moved.empty())
                problem = "reloading the plug-in's own chunk changed: " + moved;
        }

        if (programChunk || ! problem.empty())
        {
            // Loading the same chunks must give the very same state again, or
            // no input could be repeated on its own.
            restoreBaseline (! programChunk);
            const auto back = baseline.compare (PluginSnapshot::take (*plugin, &baseline));

            if (problem.empty() && ! back.empty())
                problem = "the starting state does not come back: " + back;
        }
        else
        {
            // A bank that was taken only changed records, which no rule
            // depends on: the next input starts with them, which spares a
            // full bank load per input. Program 5 takes the starting program
            // chunk again, so it still matches the current values.
            restoreBaseline (false);
            baseline = PluginSnapshot::take (*plugin, &after);
            problem = baseline.problem();
        }
    }

    plugin->clearRecords();
    return problem;
}

std::string ChunkFuzzHarness::checkProgramLoad (const PluginSnapshot& after) const
{
    const int current = baselineProgramIndex;

    if (after.currentProgram() != current)
        return "a program chunk changed the current program to " + std::to_string (after.currentProgram());

    for (int p = 0; p < PluginSnapshot::numPrograms; ++p)
        if (p != current)
            if (const auto diff = baseline.compareRecord (after, p); ! diff.empty())
                return "a program chunk changed another program: " + diff;

    for (int i = 0; i < PluginSnapshot::numParameters; ++i)
        if (after.recordValue (current, i) != after.currentValueText (i))
            return "after a program chunk, value " + std::to_string (i) + " is " + after.currentValueText (i)
                   + " but the program holds " + after.recordValue (current, i);

    if (after.recordName (current) != after.currentProgramName())
        return "after a program chunk, the program is named \"" + after.recordName (current)
               + "\" but the current name is \"" + after.currentProgramName() + "\"";

    return {};
}

std::string ChunkFuzzHarness::checkBankLoad (const PluginSnapshot& after) const
{
    if (const auto diff = baseline.compareCurrent (after); ! diff.empty())
        return "a bank chunk changed more than the programs: " + diff;

    return {};
}

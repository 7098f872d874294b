#pragma once
#include "fuzz/ChunkDocument.h"
#include "host/PluginInstance.h"
#include "tests/concurrency/ValueSets.h"
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

/** What a host's control thread does to an instance, as a fixed list made
    from a seed: parameter sets (never of the parameters the audio thread
    automates), program selections, renames, chunks taken and loaded again
    (whole or as one program), chunks made from the known values, and reads
    that check every value and name against the known sets.

    Run once beside an audio thread and once alone on a second instance, the
    same list must leave both in the same state for everything the audio
    thread does not touch: the control thread is the only writer of it. */
class ControlScript
{
public:
    struct Op
    {
        enum Kind { setParameter, selectProgram, rename, takeChunk, loadTakenChunk, loadMadeChunk, readBack } kind;
        int index = 0;
        int k = 0;
        bool programOnly = false;
        uint32_t chunkSeed = 0;       // loadMadeChunk: the values are drawn when it runs
    };

    /** Templates: a new instance's program and bank chunks (for the names). */
    ControlScript (uint32_t seed, int length, const std::vector<int>& automated,
                   const ChunkDocument& presetTemplate, const ChunkDocument& bankTemplate);

    struct Outcome
    {
        int done = 0;
        std::vector<std::string> problems;
    };

    /** Runs the first `limit` operations, stopping early at the deadline. */
    Outcome run (qvhost::PluginInstance& plugin, const ValueSets& known, int limit,
                 std::chrono::steady_clock::time_point deadline) const;

    int size() const noexcept { return (int) ops.size(); }

    /** Checks every value and name of a chunk against the known sets. */
    static std::string checkChunk (const std::vector<uint8_t>& chunk, const ValueSets& known);

private:
    std::vector<uint8_t> makeChunk (const Op& op) const;

    std::vector<Op> ops;
    ChunkDocument presetTemplate, bankTemplate;
};

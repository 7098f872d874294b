// libFuzzer entry: state chunks through effSetChunk (see ChunkFuzzHarness).
#include "fuzz/ChunkFuzzHarness.h"
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static ChunkFuzzHarness harness;
    const auto problem = harness.run (data, size);

    if (! problem.empty())
    {
        std::fprintf (stderr, "chunk rule broken: %s\n", problem.c_str());
        std::abort();
    }

    return 0;
}

// libFuzzer entry: scripts of dispatcher, audio and parameter calls (see DispatcherFuzzHarness).
#include "fuzz/DispatcherFuzzHarness.h"
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static DispatcherFuzzHarness harness;
    const auto problem = harness.run (data, size);

    if (! problem.empty())
    {
        std::fprintf (stderr, "dispatcher rule broken: %s\n", problem.c_str());
        std::abort();
    }

    return 0;
}

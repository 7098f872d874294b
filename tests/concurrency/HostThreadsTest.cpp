// The host's audio thread and a control thread working on one instance at
// the same time, as the threading of the plug-in allows: no lock around
// parameter writes, program changes, renames or chunks.
#include "tests/concurrency/ConcurrentHost.h"

namespace
{
TEST_F (ConcurrentHost, AudioAndControlThreadsLeaveTheStateTheControlThreadAloneWouldHaveLeft)
{
    runAndCompare (1);
}

TEST_F (ConcurrentHost, ADifferentScriptAlsoHoldsUp)
{
    runAndCompare (2);
}
}

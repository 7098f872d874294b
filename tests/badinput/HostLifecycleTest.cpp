// Hosts that end badly.
#include <gtest/gtest.h>
#include "tests/badinput/BadInputRig.h"
#include <cstdlib>
#include <string>
#include <sys/wait.h>

using badinput::BadInputRig;

namespace
{
// The process's exit handlers then run with the module's message thread
// still going; the host must still end normally, not with an abort.
TEST (HostLifecycle, ExitingWithInstancesStillOpenEndsTheProcessNormally)
{
    const std::string command = std::string (QV_EXIT_HOST) + " '" + BadInputRig::modulePath() + "' > /dev/null";
    const int status = std::system (command.c_str());

    ASSERT_TRUE (WIFEXITED (status)) << "ended by signal " << (WIFSIGNALED (status) ? WTERMSIG (status) : 0);
    EXPECT_EQ (WEXITSTATUS (status), 0);
}
}

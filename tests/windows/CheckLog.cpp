#include "tests/windows/CheckLog.h"
#include <cstdio>

bool CheckLog::expect (bool ok, const std::string& what)
{
    std::printf ("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    std::fflush (stdout);
    ++(ok ? passed : failed);
    return ok;
}

bool CheckLog::expectText (const std::string& actual, const std::string& expected, const std::string& what)
{
    return expect (actual == expected, what + (actual == expected ? "" : " (got \"" + actual + "\")"));
}

int CheckLog::finish() const
{
    std::printf ("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

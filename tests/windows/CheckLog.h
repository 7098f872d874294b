#pragma once
#include <string>

/** The test programs' record of checks: one line per check on stdout
    ("ok" or "FAIL" and what was checked), a closing count, and the exit code. */
class CheckLog
{
public:
    bool expect (bool ok, const std::string& what);

    template <typename T>
    bool expectEq (const T& actual, const T& expected, const std::string& what)
    {
        if (actual == expected)
            return expect (true, what);

        return expect (false, what + " (got " + std::to_string (actual) + ", expected " + std::to_string (expected) + ")");
    }

    bool expectText (const std::string& actual, const std::string& expected, const std::string& what);

    /** Prints "N passed, N failed"; the program's exit code. */
    int finish() const;

private:
    int passed = 0, failed = 0;
};

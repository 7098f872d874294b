#include "processor/ValueText.h"
#include <cmath>
#include <cstdio>
#include <string>

namespace ValueText
{
juce::String fixed (double value, int decimals)
{
    decimals = juce::jlimit (0, 17, decimals);

    if (std::isnan (value))
        return "nan";
    if (std::isinf (value))
        return value < 0 ? "-inf" : "inf";

    const double scaled = std::abs (value) * std::pow (10.0, decimals) + 0.5;

    std::string digits;

    if (scaled < 9.0e18)
    {
        digits = std::to_string ((unsigned long long) scaled);
    }
    else
    {
        // Beyond 64-bit integers: the digits of the truncated value, exactly.
        char buffer[400];
        std::snprintf (buffer, sizeof (buffer), "%.0f", std::trunc (scaled));
        digits = buffer;
    }

    if (decimals > 0)
    {
        if ((int) digits.size() <= decimals)
            digits.insert (0, (size_t) (decimals + 1) - digits.size(), '0');

        digits.insert (digits.size() - (size_t) decimals, 1, '.');
    }

    if (value < 0)
        digits.insert (0, 1, '-');

    return juce::String (digits);
}
}

#pragma once
#include <juce_core/juce_core.h>

/** Numbers with a fixed count of decimals, rounded half away from zero on the
    magnitude: |v| * 10^decimals + 0.5, truncated, then a point before the last
    `decimals` digits and a "-" for any negative value, even one that shows as
    zero. juce::String (double, n) rounds halves to even and cannot be used. */
namespace ValueText
{
    juce::String fixed (double value, int decimals);
}

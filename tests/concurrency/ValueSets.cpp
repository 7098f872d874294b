#include "tests/concurrency/ValueSets.h"
#include <cstring>

ValueSets::ValueSets (const std::array<float, numParameters>& d) : defaults (d) {}

bool ValueSets::isSwitch (int index) noexcept
{
    return index <= 6 || (index >= 9 && index <= 11) || (index >= 18 && index <= 25);
}

float ValueSets::value (int index, int k)
{
    k %= valuesPerParameter;

    // The power switch is mostly on, so the engine has work to do.
    if (index == 0 && k < 12)
        return 1.0f;
    if (isSwitch (index) && k < 2)
        return k == 0 ? 0.0f : 1.0f;

    // Distinct steps of 1/1024 below 0.975, a different spread per parameter.
    return (float) ((index * 53 + k * 61) % 998 + 1) / 1024.0f;
}

bool ValueSets::isKnown (int index, float v) const
{
    const auto same = [] (float a, float b) { return std::memcmp (&a, &b, sizeof (a)) == 0; };

    if (same (v, defaults[(size_t) index]))
        return true;

    for (int k = 0; k < valuesPerParameter; ++k)
        if (same (v, value (index, k)))
            return true;

    return false;
}

const std::array<std::string, 4>& ValueSets::names()
{
    static const std::array<std::string, 4> list { "Alpha", "Beta", "Gamma Delta", "Cafe 9" };
    return list;
}

bool ValueSets::isKnownName (const std::string& name)
{
    if (name == "Default")
        return true;

    for (const auto& n : names())
        if (n == name)
            return true;

    return false;
}

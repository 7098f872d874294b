#pragma once
#include <array>
#include <string>

/** The values each parameter may take in a concurrency run, and the program
    names. Every write anywhere (parameter sets from any thread, programs,
    chunks) uses only these, so a value read back that is not among them was
    torn or invented. Switches get 0 and 1 among their values so the engine
    runs and stops; no continuous control reaches 1, so feedback stays below
    it and the audio stays finite. */
class ValueSets
{
public:
    static constexpr int numParameters = 36;
    static constexpr int valuesPerParameter = 16;

    /** Takes the defaults (which a new instance holds) as known values too. */
    explicit ValueSets (const std::array<float, numParameters>& defaults);

    static float value (int index, int k);
    bool isKnown (int index, float v) const;

    static const std::array<std::string, 4>& names();
    static bool isKnownName (const std::string& name);

    static bool isSwitch (int index) noexcept;

private:
    std::array<float, numParameters> defaults;
};

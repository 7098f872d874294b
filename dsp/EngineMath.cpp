#include "dsp/EngineMath.h"

#include <cmath>

float fastCos (float w)
{
    const float x = w * w;
    float p = static_cast<float> (2.47609e-05 - static_cast<double> (x) * 2.605e-07);
    p = static_cast<float> (static_cast<double> (p * x) - 0.00138884);
    p = static_cast<float> (static_cast<double> (p * x) + 0.0416666);
    p = static_cast<float> (static_cast<double> (p * x) - 0.499923);
    return p * x + 1.0f;
}

float limitFrequency (float hz, float sampleRate)
{
    const float hi = sampleRate * 0.47058824f;
    if (hz > hi)
        return hi;
    const float lo = sampleRate * 4.0690105e-05f;
    if (hz < lo)
        return lo;
    return hz;
}

float noteToFrequency (float note)
{
    const float power = static_cast<float> (std::pow (static_cast<double> (1.05946f), static_cast<double> (note)));
    return static_cast<float> (static_cast<double> (power) * 8.17742);
}

int syncDivisor (float controlValue)
{
    const float k = controlValue * 6.0f + 1.0f;

    // Only 1 <= k < 7 names one of the six straight steps; everything else
    // (7 at exactly 1.0, below 1, NaN) is the whole note. Checked as a float
    // first so no out-of-range value is ever converted to int.
    if (! (k >= 1.0f && k < 7.0f))
        return 1;

    static constexpr int divisors[] = { 64, 32, 16, 8, 4, 2 };
    return divisors[static_cast<int> (k) - 1];
}

#pragma once

// Small signal helpers for the engine tests: test tones and the measured
// gain of a rendered tone.

#include <cmath>
#include <functional>
#include <vector>

namespace signals
{
    constexpr double kPi = 3.14159265358979323846;

    // Gain of `process` at `hz` (0 = DC, sampleRate / 2 = Nyquist), measured
    // by rendering a unit tone, dropping the first `settle` samples and
    // correlating the rest with the tone.
    inline double measuredGain (const std::function<float (float)>& process, double hz, double sampleRate,
                                int settle = 20000, int measure = 44100)
    {
        double c = 0.0, s = 0.0;
        const double w = 2.0 * kPi * hz / sampleRate;
        for (int n = 0; n < settle + measure; ++n)
        {
            const double phase = w * n;
            const float y = process (static_cast<float> (std::cos (phase)));
            if (n < settle)
                continue;
            c += y * std::cos (phase);
            s += y * std::sin (phase);
        }

        // DC and Nyquist have no sine part and a cosine of +-1: no factor 2.
        const bool edge = hz == 0.0 || 2.0 * hz == sampleRate;
        const double scale = edge ? 1.0 / measure : 2.0 / measure;
        return std::sqrt (c * c + s * s) * scale;
    }

    inline bool isSubnormal (float x)  { return std::fpclassify (x) == FP_SUBNORMAL; }
}

#include "dsp/qFilter2p.h"

#include "dsp/EngineMath.h"

#include <cmath>

qFilter2p::~qFilter2p() = default;

void qFilter2p::setFrequency (float hz)
{
    frequency = hz;
    computeCoefficients();
}

void qFilter2p::setResonance (float amount)
{
    resonance = amount;
    computeCoefficients();
}

void qFilter2p::computeCoefficients()
{
    const float f = limitFrequency (frequency, sampleRate);
    const float period = 1.0f / sampleRate;
    // 6.28319 rather than the exact 2*pi: the angle must come out as it
    // always has, down to the last bit.
    const float w = static_cast<float> (static_cast<double> (f) * (static_cast<double> (period) * 6.28319));
    const float cosw = fastCos (w);
    const float sinw = static_cast<float> (std::sin (static_cast<double> (w)));
    const float alpha = sinw * (1.0f - resonance);
    formCoefficients (cosw, sinw, alpha);
}

float qFilter2p::processSample (float x)
{
    if (bypassed)
        return x;

    const float g = 1.0f / a0;
    float t = -(a2 * y2 * g);
    t = t - (a1 * y1 * g);
    t = t + b1 * x1 * g;
    t = t + b0 * g * x;
    const float y = t + b2 * g * x2;

    x2 = x1;
    x1 = x + kDenormalBias;
    y2 = y1;
    y1 = y + kDenormalBias;
    return y;
}

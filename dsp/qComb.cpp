#include "dsp/qComb.h"

#include "dsp/EngineMath.h"

qComb::qComb() = default;
qComb::~qComb() = default;

void qComb::setSampleRate (float newRate)
{
    qEffect::setSampleRate (newRate);
    delayLine.setSampleRate (newRate);
}

float qComb::processSample (float x)
{
    if (bypassed)
        return x;

    // The fed-back term joins one sample after it was produced, so repeats
    // are d + 1 samples apart after the first echo at d.
    const float w = x + feedbackSample;
    const float y = delayLine.processSample (w);
    feedbackSample = feedback * y + kDenormalBias;
    return y;
}

#include "dsp/qEffect.h"

#include <cmath>

qEffect::~qEffect() = default;

float* qEffect::processFrame (float* frame, int)
{
    return frame;
}

float qEffect::processSample (float x)
{
    return x;
}

bool qEffect::isUsableSampleRate (float rate) noexcept
{
    return std::isnormal (rate) && rate > 0.0f;
}

void qEffect::setSampleRate (float newRate)
{
    if (isUsableSampleRate (newRate))
        sampleRate = newRate;
}

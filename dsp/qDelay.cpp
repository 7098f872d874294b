#include "dsp/qDelay.h"

qDelay::qDelay()
    : buffer (new float[kLength]())
{
    distance = distanceFor (sampleRate, delayTime);
}

qDelay::~qDelay() = default;

int qDelay::distanceFor (float rate, float seconds) noexcept
{
    const float product = rate * seconds;

    // Written so that NaN falls into the first branch and no value outside
    // the int range ever reaches the conversion.
    if (! (product >= 0.0f))
        return 0;
    if (product >= static_cast<float> (kMaxDistance))
        return kMaxDistance;
    return static_cast<int> (product);
}

void qDelay::setDelayTime (float seconds)
{
    delayTime = seconds;
    distance = distanceFor (sampleRate, delayTime);
}

void qDelay::setSampleRate (float newRate)
{
    qEffect::setSampleRate (newRate);
    distance = distanceFor (sampleRate, delayTime);
}

float qDelay::processSample (float x)
{
    if (bypassed)
        return x;

    if (++writeIndex == length)
        writeIndex = 0;

    int readIndex = writeIndex - distance;
    if (readIndex < 0)
        readIndex += length;

    // Write before read: a distance of 0 hands back x itself.
    buffer[writeIndex] = x;
    return buffer[readIndex];
}

#pragma once

#include "dsp/qEffect.h"

#include <memory>

// Ring buffer read at a whole-sample distance behind the write position.
// The buffer has a fixed size independent of the sample rate, allocated and
// zeroed once by the constructor; nothing ever clears it afterwards.
class qDelay : public qEffect
{
public:
    static constexpr int kLength = 192000;          // samples in the buffer
    static constexpr int kMaxDistance = kLength - 1;

    qDelay();
    ~qDelay() override;

    float processSample (float x) override;
    void setSampleRate (float newRate) override;

    // Stored as given; the limits apply when the time becomes a distance.
    void setDelayTime (float seconds);
    float getDelayTime() const noexcept   { return delayTime; }

    // The whole-sample distance the next sample is read at.
    int getDistance() const noexcept      { return distance; }
    int getWriteIndex() const noexcept    { return writeIndex; }
    int getLength() const noexcept        { return length; }

    // rate x seconds in single precision, truncated toward zero, limited to
    // 0 ... kMaxDistance. NaN and negative products give 0, anything above
    // the buffer (infinity included) gives kMaxDistance.
    static int distanceFor (float rate, float seconds) noexcept;

private:
    friend class qDelaySyncCS;   // the engine runs its four lines side by side

    float delayTime = 0.5f;
    std::unique_ptr<float[]> buffer;
    int length = kLength;
    int writeIndex = 0;
    int distance = 0;            // cached distanceFor (sampleRate, delayTime)
};

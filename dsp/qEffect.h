#pragma once

// Base of every signal-processing object in the delay engine: a bypass flag,
// a sample rate, and the two processing entry points (a whole interleaved
// frame, or one sample). Objects are owned and deleted through this base.
class qEffect
{
public:
    qEffect() = default;
    virtual ~qEffect();

    qEffect (const qEffect&) = delete;
    qEffect& operator= (const qEffect&) = delete;

    // Processes `channels` consecutive floats in place and returns the same
    // pointer. The base leaves the frame as it is; no class reads `channels`.
    virtual float* processFrame (float* frame, int channels);

    // One sample in, one sample out. The base returns its input.
    virtual float processSample (float x);

    // Stores the rate in Hz. Virtual so that composite objects (comb, engine)
    // can hand the rate on to the parts they own. A rate that is not a normal
    // positive number (0, negative, NaN, infinite, subnormal) is ignored and
    // the previous rate stays: every conversion below divides by the rate or
    // multiplies distances with it, and such a rate would poison filter
    // histories with NaN for good.
    virtual void setSampleRate (float newRate);

    void setBypass (bool shouldBypass) noexcept   { bypassed = shouldBypass; }
    bool isBypassed() const noexcept              { return bypassed; }
    float getSampleRate() const noexcept          { return sampleRate; }

    static bool isUsableSampleRate (float rate) noexcept;

protected:
    bool bypassed = false;
    float sampleRate = 44100.0f;
};
